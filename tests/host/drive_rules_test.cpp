// The proposed folder and the measured drive for the machines a user may
// have, with the system's answers given by the test, and the space line.
#include "common/install_settings.h"
#include "options/drive_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{

std::vector<std::string> gEntered; // the folders tried as current directory
bool EnterExisting(const char *folder)
{
    gEntered.push_back(folder);
    return true;
}
bool EnterMissing(const char *folder)
{
    gEntered.push_back(folder);
    return false;
}

TEST(DefaultFolder, FollowsTheWindowsDriveAndItsProgramFiles)
{
    const struct {
        const char *letters, *sourceDir, *windowsDir;
        bool (*enter)(const char *);
        const char *entered, *baseFolder;
        int currentDrive;
    } cases[] = {
        {"ACD", "D:\\SETUP", "C:\\WINDOWS", EnterExisting, "C:\\Program files", "C:\\Program files", 1},
        {"ACDE", "E:\\DOWNLOAD", "D:\\WINNT", EnterMissing, "D:\\Program files", "C:\\", 1},
        {"ACD", "C:\\SETUP", "D:\\WINNT", EnterExisting, "D:\\Program files", "D:\\Program files", 2},
        {"CD", "C:\\SETUP", "d:\\winnt", EnterExisting, "D:\\Program files", "D:\\Program files", 1},
        {"AC", "C:\\SETUP", "", EnterExisting, "", "C:\\", 1},                // Windows directory unknown
        {"ade", "e:\\setup", "D:\\WINDOWS", EnterExisting, "", "earlier", 2}, // no C: the setup's drive
        {"cd", "c:\\setup", "C:\\WINDOWS", EnterMissing, "C:\\Program files", "C:\\", 0},
        // 23 drives, D to Z: the list fits the buffer, only the first 20 the table.
        {"DEFGHIJKLMNOPQRSTUVWXYZ", "Y:\\SETUP", "C:\\WINDOWS", EnterExisting, "", "earlier", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.letters + std::string(" ") + c.windowsDir);
        // The drive strings as GetLogicalDriveStringsA leaves them: each root
        // and its NUL, one more NUL after the last; the call returns the
        // length without that last NUL.
        char strings[100] = {};
        size_t length = 0;
        std::vector<std::string> roots;
        for (const char *letter = c.letters; *letter; ++letter, length += 4) {
            sprintf(strings + length, "%c:\\", *letter);
            roots.push_back({char(toupper(*letter)), ':', '\\'});
        }
        strcpy(SourceDir, c.sourceDir);
        strcpy(BaseFolder, "earlier");
        gEntered.clear();
        ChooseDefaultFolderFrom(strings, sizeof strings, length, c.windowsDir, c.enter);
        roots.resize(std::min(roots.size(), size_t(kDriveSlots)));
        EXPECT_EQ(std::vector<std::string>(DriveTable, DriveTable + DriveCount), roots);
        EXPECT_EQ(gEntered, *c.entered ? std::vector<std::string>{c.entered} : std::vector<std::string>{});
        EXPECT_STREQ(BaseFolder, c.baseFolder);
        EXPECT_EQ(CurrentDrive, c.currentDrive);
    }
}

// A root too long for a slot is left out, not cut; so is an entry left open
// at the reported end; a failed or too long list gives no drives at all.
TEST(DefaultFolder, TakesOnlyWholeRootsOfAListThatFit)
{
    char strings[100] = "C:\\\0D:\\M\\\0E:\\\0F:";
    for (size_t reported : {size_t(16), size_t(0), sizeof strings, sizeof strings + 5}) {
        ChooseDefaultFolderFrom(strings, sizeof strings, reported, "C:\\WINDOWS", EnterExisting);
        EXPECT_EQ(DriveCount, reported == 16 ? 2 : 0) << reported;
        EXPECT_STREQ(DriveTable[0], reported == 16 ? "C:\\" : "");
        EXPECT_STREQ(DriveTable[1], reported == 16 ? "E:\\" : "");
    }
}

TEST(SpaceText, ShowsMebibytesWithTwoDecimals)
{
    FreeBytes = 1048576;
    RequiredBytes = 19704738;
    FormatSpaceText();
    EXPECT_STREQ(MessageText, "Available: 1.00 MB  --  Required: 18.79 MB");
    FreeBytes = (uint64_t{5} << 30) + (1 << 20); // above 4 GiB
    RequiredBytes = 324504060;
    FormatSpaceText();
    EXPECT_STREQ(MessageText, "Available: 5121.00 MB  --  Required: 309.47 MB");
}

} // namespace
