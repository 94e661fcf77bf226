// The proposed folder and the measured drive for the machines a user may
// have, with the system's answers given by the test, and the space line.
#include "common/install_settings.h"
#include "options/drive_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{

bool gFolderExists;
std::vector<std::string> gEntered;

bool EnterFolder(const char *folder)
{
    gEntered.push_back(folder);
    return gFolderExists;
}

// The drive strings as GetLogicalDriveStringsA leaves them, one root per
// letter, each with its NUL and one more NUL after the last; the call returns
// the length without that last NUL. Returns the drive table after the choice.
std::vector<std::string> Choose(const std::string &letters, const char *sourceDir, const char *windowsDir)
{
    char strings[100] = {};
    size_t length = 0;
    for (char letter : letters)
        length += sprintf(strings + length, "%c:\\", letter) + 1;
    strcpy(SourceDir, sourceDir);
    strcpy(BaseFolder, "earlier");
    gEntered.clear();
    ChooseDefaultFolderFrom(strings, sizeof strings, length, windowsDir, EnterFolder);
    return {DriveTable, DriveTable + DriveCount};
}

TEST(DefaultFolder, FollowsTheWindowsDriveAndItsProgramFiles)
{
    struct Case {
        const char *letters, *sourceDir, *windowsDir;
        bool programFilesExists;
        const char *entered, *baseFolder; // entered: the folder tried, if any
        int currentDrive;
    } cases[] = {
        {"ACD", "D:\\SETUP", "C:\\WINDOWS", true, "C:\\Program files", "C:\\Program files", 1},
        {"ACDE", "E:\\DOWNLOAD", "D:\\WINNT", false, "D:\\Program files", "C:\\", 1},
        {"ACD", "C:\\SETUP", "D:\\WINNT", true, "D:\\Program files", "D:\\Program files", 2},
        {"CD", "C:\\SETUP", "d:\\winnt", true, "D:\\Program files", "D:\\Program files", 1},
        {"AC", "C:\\SETUP", "", true, "", "C:\\", 1},                // Windows directory unknown
        {"ade", "e:\\setup", "D:\\WINDOWS", true, "", "earlier", 2}, // no drive C: the setup's drive
        {"cd", "c:\\setup\\disk 1", "C:\\WINDOWS", false, "C:\\Program files", "C:\\", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.letters + std::string(" ") + c.windowsDir);
        gFolderExists = c.programFilesExists;
        std::vector<std::string> roots;
        for (const char *letter = c.letters; *letter; ++letter)
            roots.push_back({char(toupper(*letter)), ':', '\\'});
        EXPECT_EQ(Choose(c.letters, c.sourceDir, c.windowsDir), roots);
        EXPECT_EQ(gEntered, *c.entered ? std::vector<std::string>{c.entered} : std::vector<std::string>{});
        EXPECT_STREQ(BaseFolder, c.baseFolder);
        EXPECT_EQ(CurrentDrive, c.currentDrive);
        std::string upper = c.sourceDir;
        for (char &letter : upper)
            letter = char(toupper(letter));
        EXPECT_EQ(SourceDir, upper);
    }
}

TEST(DefaultFolder, TakesOnlyWhatFitsTheTable)
{
    // 23 drives, D to Z: the list fits the buffer, the first 20 the table.
    const std::vector<std::string> drives = Choose("DEFGHIJKLMNOPQRSTUVWXYZ", "Y:\\SETUP", "C:\\WINDOWS");
    ASSERT_EQ(drives.size(), size_t(kDriveSlots));
    EXPECT_EQ(drives.back(), "W:\\");
    EXPECT_EQ(CurrentDrive, 0); // the setup's drive Y did not fit

    // A root too long for a slot is left out, not cut; so is an entry left
    // open at the reported end; a failed or too long list gives no drives at all.
    char strings[100] = "C:\\\0D:\\M\\\0E:\\\0F:";
    for (size_t reported : {size_t(16), size_t(0), sizeof strings, sizeof strings + 5}) {
        SCOPED_TRACE(reported);
        ChooseDefaultFolderFrom(strings, sizeof strings, reported, "C:\\WINDOWS", EnterFolder);
        EXPECT_EQ(DriveCount, reported == 16 ? 2 : 0);
        EXPECT_STREQ(DriveTable[0], reported == 16 ? "C:\\" : "");
        EXPECT_STREQ(DriveTable[1], reported == 16 ? "E:\\" : "");
    }
}

TEST(SpaceText, ShowsMebibytesWithTwoDecimals)
{
    const struct {
        uint64_t free;
        uint32_t required;
        const char *text;
    } cases[] = {
        {1048576, 19704738, "Available: 1.00 MB  --  Required: 18.79 MB"},
        {(uint64_t{5} << 30) + (1 << 20), 324504060, "Available: 5121.00 MB  --  Required: 309.47 MB"},
    };
    for (const auto &c : cases) {
        FreeBytes = c.free;
        RequiredBytes = c.required;
        FormatSpaceText();
        EXPECT_STREQ(MessageText, c.text);
    }
}

} // namespace
