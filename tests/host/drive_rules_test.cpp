// The proposed folder and the measured drive for the machines a user may
// have, with the system's answers given by the test, and the space line.
#include "common/install_settings.h"
#include "options/drive_rules.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

bool gFolderExists;
std::vector<std::string> gEntered; // the folders tried as current directory
bool EnterFolder(const char *folder)
{
    gEntered.push_back(folder);
    return gFolderExists;
}

TEST(DefaultFolder, FollowsTheWindowsDriveAndItsProgramFiles)
{
    const struct {
        const char *letters, *sourceDir, *windowsDir;
        bool programFilesExists;
        const char *entered, *baseFolder;
        int currentDrive;
    } cases[] = {
        {"ACD", "D:\\SETUP", "C:\\WINDOWS", true, "C:\\Program files", "C:\\Program files", 1},
        {"ACDE", "E:\\SETUP", "D:\\WINNT", false, "D:\\Program files", "C:\\", 1},
        {"ACD", "C:\\SETUP", "D:\\WINNT", true, "D:\\Program files", "D:\\Program files", 2},
        {"CD", "C:\\SETUP", "d:\\winnt", true, "D:\\Program files", "D:\\Program files", 1},
        {"AC", "C:\\SETUP", "", true, "", "C:\\", 1},                // Windows directory unknown
        {"ade", "e:\\setup", "D:\\WINDOWS", true, "", "earlier", 2}, // no C: the setup's drive
        {"cd", "c:\\setup", "C:\\WINDOWS", false, "C:\\Program files", "C:\\", 0},
        // 23 drives, D to Z: the list fits the buffer, only the first 20 the table.
        {"DEFGHIJKLMNOPQRSTUVWXYZ", "Y:\\SETUP", "C:\\WINDOWS", true, "", "earlier", 0},
    };
    for (const auto &c : cases) {
        // As GetLogicalDriveStringsA leaves them: each root and its NUL, one
        // more NUL after the last; the length returned is without that one.
        char strings[100] = {};
        std::vector<std::string> roots;
        for (const char *letter = c.letters; *letter; ++letter) {
            sprintf(strings + 4 * roots.size(), "%c:\\", *letter);
            roots.push_back({char(toupper(*letter)), ':', '\\'});
        }
        strcpy(SourceDir, c.sourceDir);
        strcpy(BaseFolder, "earlier");
        gEntered.clear();
        gFolderExists = c.programFilesExists;
        ChooseDefaultFolderFrom(strings, sizeof strings, 4 * roots.size(), c.windowsDir, EnterFolder);
        roots.resize(std::min(roots.size(), size_t(kDriveSlots)));
        EXPECT_EQ(std::vector<std::string>(DriveTable, DriveTable + DriveCount), roots) << c.letters;
        EXPECT_EQ(gEntered, std::vector<std::string>(*c.entered ? 1 : 0, c.entered)) << c.letters;
        EXPECT_STREQ(BaseFolder, c.baseFolder) << c.letters;
        EXPECT_EQ(CurrentDrive, c.currentDrive) << c.letters;
    }
}

// A root too long for a slot is left out, not cut; so is an entry left open
// at the reported end; a failed or too long list gives no drives at all.
TEST(DefaultFolder, TakesOnlyWholeRootsOfAListThatFits)
{
    char strings[100] = "C:\\\0D:\\M\\\0E:\\\0F:";
    for (size_t reported : {size_t(16), size_t(0), sizeof strings, sizeof strings + 5}) {
        ChooseDefaultFolderFrom(strings, sizeof strings, reported, "C:\\WINDOWS", EnterFolder);
        EXPECT_EQ(DriveCount, reported == 16 ? 2 : 0) << reported;
        EXPECT_EQ(std::string(DriveTable[0]) + DriveTable[1], reported == 16 ? "C:\\E:\\" : "");
    }
}

TEST(SpaceText, ShowsMebibytesWithTwoDecimalsAboveFourGibibytesToo)
{
    FreeBytes = (uint64_t{5} << 30) + (1 << 20);
    RequiredBytes = 324504060;
    char text[kSpaceTextChars];
    FormatSpaceText(text);
    EXPECT_STREQ(text, "Available: 5121.00 MB  --  Required: 309.47 MB");
    // A drive that says nothing is free for the caller is judged by its whole free count.
    EXPECT_EQ(PickFreeBytes(0, 7), 7u);
    EXPECT_EQ(PickFreeBytes(5, 7), 5u);
}

// Only a drive letter, a colon and a backslash make a directory the setup may
// install into: anything else would be taken relative to the current directory.
TEST(InstallDirectory, OnlyAFullPathIsAccepted)
{
    for (const char *path : {"C:\\Dunvo", "d:\\", "Z:\\a\\b"})
        EXPECT_TRUE(IsFullPath(path)) << path;
    for (const char *path : {"Dunvo", "Programs\\Dunvo", "\\Dunvo", "C:Dunvo", "\\\\server\\share", "1:\\x", ""})
        EXPECT_FALSE(IsFullPath(path)) << path;
}

// The temporaries (30 here) stay on the temporary folder's drive while it has
// room for them, else go beside the installation (20) while its drive holds
// both; a drive the two share must hold both. Unmeasured drives are trusted.
TEST(Temporaries, GoWhereThereIsRoomForThemBesidesTheInstallation)
{
    const uint64_t unknown = UINT64_MAX;
    const struct {
        bool same;
        uint64_t tempFree, installFree;
        TempPlace place;
    } cases[] = {
        {true, 50, 50, TempPlace::TempFolder},       {true, 49, 49, TempPlace::NoRoom},
        {false, 30, 20, TempPlace::TempFolder},      {false, 29, 50, TempPlace::InstallDrive},
        {false, 29, 49, TempPlace::NoRoom},          {false, 100, 19, TempPlace::NoRoom},
        {false, unknown, 20, TempPlace::TempFolder}, {true, unknown, unknown, TempPlace::TempFolder},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PlaceTemporaries(c.same, c.tempFree, c.installFree, 20, 30), c.place)
            << c.same << " " << c.tempFree << " " << c.installFree;
    EXPECT_TRUE(OnSameDrive("c:", "C:\\Dunvo"));
    EXPECT_FALSE(OnSameDrive("D:\\Temp", "C:\\Dunvo"));
    EXPECT_FALSE(OnSameDrive("\\\\server\\temp", "\\\\server\\Dunvo"));
}

} // namespace
