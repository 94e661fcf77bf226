// The proposed folder and the measured drive for the machines a user may
// have, and the space line, with the system's answers given by the test.
#include "common/install_settings.h"
#include "common/message_box.h"
#include "common/message_box_host.h"
#include "options/drive_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
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

class DefaultFolder : public testing::Test
{
  protected:
    void SetUp() override
    {
        gFolderExists = false;
        gEntered.clear();
        memset(BaseFolder, 0, sizeof BaseFolder);
        memset(DriveTable, 'x', sizeof DriveTable);
        DriveCount = 77;
        CurrentDrive = 77;
        CopyTo(SourceDir, "C:\\SETUP");
    }

    static void CopyTo(char (&out)[kPathChars], const char *text) { strncpy(out, text, sizeof out - 1); }

    // The drive strings as GetLogicalDriveStringsA leaves them: each root and
    // its NUL, one more NUL after the last; the call returns the length
    // without that last NUL.
    void Choose(std::initializer_list<const char *> roots, const char *windowsDir)
    {
        std::string list;
        for (const char *root : roots)
            list.append(root).push_back('\0');
        ASSERT_LT(list.size(), sizeof strings);
        memset(strings, 0, sizeof strings);
        memcpy(strings, list.data(), list.size());
        ChooseDefaultFolderFrom(strings, sizeof strings, list.size(), windowsDir, EnterFolder);
    }

    std::vector<std::string> Drives() const { return {DriveTable, DriveTable + DriveCount}; }

    char strings[100];
};

} // namespace

TEST_F(DefaultFolder, ProposalFollowsTheWindowsDriveAndItsProgramFiles)
{
    struct Case {
        const char *machine;
        std::initializer_list<const char *> roots;
        const char *sourceDir, *windowsDir;
        bool programFilesExists;
        const char *entered;    // the folder tried as current directory, or null
        const char *baseFolder; // "earlier" when left as it was
        int currentDrive;
        const char *sourceDirAfter;
    };
    // clang-format off
    const Case cases[] = {
        {"Windows on C", {"A:\\", "C:\\", "D:\\"}, "D:\\SETUP", "C:\\WINDOWS", true,
         "C:\\Program files", "C:\\Program files", 1, "D:\\SETUP"},
        {"Windows on D, no Program files there: C proposed and measured", {"A:\\", "C:\\", "D:\\", "E:\\"},
         "E:\\DOWNLOAD", "D:\\WINNT", false, "D:\\Program files", "C:\\", 1, "E:\\DOWNLOAD"},
        {"Windows on D with Program files", {"A:\\", "C:\\", "D:\\"}, "C:\\SETUP", "D:\\WINNT", true,
         "D:\\Program files", "D:\\Program files", 2, "C:\\SETUP"},
        {"Windows directory in lower case measures its own drive", {"C:\\", "D:\\"}, "C:\\SETUP", "d:\\winnt", true,
         "D:\\Program files", "D:\\Program files", 1, "C:\\SETUP"},
        {"Windows directory unknown", {"A:\\", "C:\\"}, "C:\\SETUP", "", true,
         nullptr, "C:\\", 1, "C:\\SETUP"},
        {"no drive C: nothing proposed, the setup's drive measured", {"a:\\", "d:\\", "e:\\"}, "e:\\setup",
         "D:\\WINDOWS", true, nullptr, "earlier", 2, "E:\\SETUP"},
        {"lower-case SourceDir and drives", {"c:\\", "d:\\"}, "c:\\setup\\disk 1", "C:\\WINDOWS", false,
         "C:\\Program files", "C:\\", 0, "C:\\SETUP\\DISK 1"},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.machine);
        SetUp();
        gFolderExists = c.programFilesExists;
        CopyTo(SourceDir, c.sourceDir);
        CopyTo(BaseFolder, "earlier");
        Choose(c.roots, c.windowsDir);
        std::vector<std::string> upperRoots;
        for (const char *root : c.roots)
            upperRoots.push_back({static_cast<char>(toupper(root[0])), ':', '\\'});
        EXPECT_EQ(Drives(), upperRoots);
        EXPECT_EQ(gEntered, c.entered ? std::vector<std::string>{c.entered} : std::vector<std::string>{});
        EXPECT_STREQ(BaseFolder, c.baseFolder);
        EXPECT_EQ(CurrentDrive, c.currentDrive);
        EXPECT_STREQ(SourceDir, c.sourceDirAfter);
    }
}

TEST_F(DefaultFolder, OnlyTheFirstTwentyDrivesAreTaken)
{
    // 23 drives, D to Z: 93 characters, so the list fits the buffer but not the table.
    std::vector<std::string> roots;
    for (char letter = 'D'; letter <= 'Z'; ++letter)
        roots.push_back(std::string(1, letter) + ":\\");
    std::string list;
    for (const std::string &root : roots)
        list.append(root).push_back('\0');
    memcpy(strings, list.data(), list.size());
    strings[list.size()] = '\0';
    CopyTo(SourceDir, "Y:\\SETUP");
    ChooseDefaultFolderFrom(strings, sizeof strings, list.size(), "C:\\WINDOWS", EnterFolder);
    EXPECT_EQ(DriveCount, kDriveSlots);
    EXPECT_EQ(Drives(), std::vector<std::string>(roots.begin(), roots.begin() + kDriveSlots));
    EXPECT_EQ(CurrentDrive, 0); // the setup's drive Y did not fit
}

TEST_F(DefaultFolder, FailedOrTooLongListGivesNoDrives)
{
    // The system writes nothing when the list does not fit; what the buffer
    // held before must not be taken for drives.
    memset(strings, 'C', sizeof strings);
    for (size_t reported : {size_t{0}, sizeof strings, sizeof strings + 5}) {
        SCOPED_TRACE(reported);
        CopyTo(BaseFolder, "unchanged");
        ChooseDefaultFolderFrom(strings, sizeof strings, reported, "C:\\WINDOWS", EnterFolder);
        EXPECT_EQ(DriveCount, 0);
        EXPECT_EQ(CurrentDrive, 0);
        EXPECT_STREQ(BaseFolder, "unchanged");
    }
    EXPECT_TRUE(gEntered.empty());
}

TEST_F(DefaultFolder, EntriesThatDoNotFitASlotAreLeftOut)
{
    // A root longer than "X:\" would be cut in a five-character slot; an
    // entry left open at the reported end is not complete.
    const char list[] = "C:\\\0D:\\MOUNT\\\0E:\\\0F:";
    memcpy(strings, list, sizeof list);
    CopyTo(SourceDir, "E:\\SETUP");
    ChooseDefaultFolderFrom(strings, sizeof strings, sizeof list - 1, "C:\\WINDOWS", EnterFolder);
    EXPECT_EQ(Drives(), (std::vector<std::string>{"C:\\", "E:\\"}));
    for (int slot = DriveCount; slot < kDriveSlots; ++slot)
        EXPECT_EQ(DriveTable[slot][0], '\0') << slot;
}

TEST(SpaceText, ShowsMebibytesWithTwoDecimals)
{
    FreeBytes = 1048576;
    RequiredBytes = 19704738;
    FormatSpaceText();
    EXPECT_STREQ(MessageText, "Available: 1.00 MB  --  Required: 18.79 MB");
}

TEST(SpaceText, FreeSpaceAboveFourGibibytesIsShownInFull)
{
    FreeBytes = (uint64_t{5} << 30) + (1 << 20);
    RequiredBytes = 324504060; // everything selected
    FormatSpaceText();
    EXPECT_STREQ(MessageText, "Available: 5121.00 MB  --  Required: 309.47 MB");
}

TEST(FreeSpaceError, ShowsTheSystemsErrorNumberCaptionedWithTheSetupName)
{
    strcpy(SetupName, "SETUP");
    FreeBytes = 123456789;
    RecordedMessages().clear();
    ReportFreeSpaceError(21);
    ASSERT_EQ(RecordedMessages().size(), 1u);
    const RecordedMessage &box = RecordedMessages()[0];
    EXPECT_EQ(box.text, "error: 21:  could not get free space for\n");
    EXPECT_EQ(box.caption, "SETUP");
    EXPECT_EQ(box.flags, kMbIconError | kMbOk);
    EXPECT_EQ(FreeBytes, 123456789u);
}
