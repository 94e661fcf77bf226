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

TEST_F(DefaultFolder, WindowsOnCWithProgramFilesProposesIt)
{
    gFolderExists = true;
    Choose({"A:\\", "C:\\", "D:\\"}, "C:\\WINDOWS");
    EXPECT_EQ(Drives(), (std::vector<std::string>{"A:\\", "C:\\", "D:\\"}));
    EXPECT_EQ(gEntered, std::vector<std::string>{"C:\\Program files"});
    EXPECT_STREQ(BaseFolder, "C:\\Program files");
    EXPECT_EQ(CurrentDrive, 1);
}

TEST_F(DefaultFolder, WindowsOnDWithoutProgramFilesProposesTheRootOfC)
{
    CopyTo(SourceDir, "E:\\DOWNLOAD");
    Choose({"A:\\", "C:\\", "D:\\", "E:\\"}, "D:\\WINNT");
    EXPECT_EQ(gEntered, std::vector<std::string>{"D:\\Program files"});
    EXPECT_STREQ(BaseFolder, "C:\\");
    EXPECT_EQ(CurrentDrive, 1); // drive C is measured, not the drive of the setup
}

TEST_F(DefaultFolder, WindowsOnDWithProgramFilesProposesAndMeasuresD)
{
    gFolderExists = true;
    Choose({"A:\\", "C:\\", "D:\\"}, "D:\\WINNT");
    EXPECT_STREQ(BaseFolder, "D:\\Program files");
    EXPECT_EQ(CurrentDrive, 2);
}

TEST_F(DefaultFolder, WindowsDirectoryInLowerCaseStillMeasuresItsDrive)
{
    gFolderExists = true;
    Choose({"C:\\", "D:\\"}, "d:\\winnt");
    EXPECT_STREQ(BaseFolder, "D:\\Program files");
    EXPECT_EQ(CurrentDrive, 1);
}

TEST_F(DefaultFolder, UnknownWindowsDirectoryProposesTheRootOfC)
{
    gFolderExists = true;
    Choose({"A:\\", "C:\\"}, "");
    EXPECT_TRUE(gEntered.empty());
    EXPECT_STREQ(BaseFolder, "C:\\");
    EXPECT_EQ(CurrentDrive, 1);
}

TEST_F(DefaultFolder, WithoutDriveCNothingIsProposedAndTheSetupsDriveIsMeasured)
{
    gFolderExists = true;
    CopyTo(SourceDir, "e:\\setup");
    CopyTo(BaseFolder, "earlier choice");
    Choose({"a:\\", "d:\\", "e:\\"}, "D:\\WINDOWS");
    EXPECT_EQ(Drives(), (std::vector<std::string>{"A:\\", "D:\\", "E:\\"}));
    EXPECT_STREQ(SourceDir, "E:\\SETUP");
    EXPECT_TRUE(gEntered.empty());
    EXPECT_STREQ(BaseFolder, "earlier choice");
    EXPECT_EQ(CurrentDrive, 2);
}

TEST_F(DefaultFolder, SourceDirAndDrivesAreUpperCasedInPlace)
{
    CopyTo(SourceDir, "c:\\setup\\disk 1");
    Choose({"c:\\", "d:\\"}, "C:\\WINDOWS");
    EXPECT_STREQ(SourceDir, "C:\\SETUP\\DISK 1");
    EXPECT_EQ(Drives(), (std::vector<std::string>{"C:\\", "D:\\"}));
    EXPECT_STREQ(BaseFolder, "C:\\");
    EXPECT_EQ(CurrentDrive, 0);
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
