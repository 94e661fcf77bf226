// Drives and free space measured on the machine the tests run on (Wine): the
// real system calls behind the proposed folder and the space line.
#include "common/install_settings.h"
#include "options/drive_rules.h"
#include "options/drives.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace
{

class CurrentDirectory
{
  public:
    CurrentDirectory() { GetCurrentDirectoryA(sizeof saved, saved); }
    ~CurrentDirectory() { SetCurrentDirectoryA(saved); }

  private:
    char saved[MAX_PATH];
};

void UseOneDrive(const char *root)
{
    memset(DriveTable, 0, sizeof DriveTable);
    strcpy(DriveTable[0], root);
    DriveCount = 1;
}

// Wine keeps each drive letter as a link in the prefix's dosdevices folder; a
// link that points nowhere is a drive that exists but cannot be measured, as
// an empty removable drive is on Windows. Wine's ntdll runs the Unix commands
// that make and remove one.
class DriveThatPointsNowhere
{
  public:
    explicit DriveThatPointsNowhere(char letter)
    {
        const char *prefix = getenv("WINEPREFIX");
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        spawn = reinterpret_cast<SpawnFunction>(
            reinterpret_cast<void (*)()>(GetProcAddress(ntdll, "__wine_unix_spawnvp")));
        if (!prefix || !spawn)
            return;
        link = std::string(prefix) + "/dosdevices/" + letter + ":";
        made = Run({"ln", "-sfn", "/nonexistent", link.c_str()});
    }
    ~DriveThatPointsNowhere()
    {
        if (made)
            Run({"rm", "-f", link.c_str()});
    }
    bool Made() const { return made; }

  private:
    using SpawnFunction = LONG(WINAPI *)(char *const *argv, int wait);

    bool Run(std::initializer_list<const char *> words)
    {
        std::vector<char *> argv;
        for (const char *word : words)
            argv.push_back(const_cast<char *>(word)); // the spawner does not write them
        argv.push_back(nullptr);
        return spawn(argv.data(), TRUE) == 0;
    }

    SpawnFunction spawn = nullptr;
    std::string link;
    bool made = false;
};

// The error box is modal: a second thread finds it by its caption, reads its
// text and presses OK, so the measurement can return.
struct BoxAnswer {
    bool seen = false;
    std::string text;
};

DWORD WINAPI AnswerSetupBox(void *parameter)
{
    auto *answer = static_cast<BoxAnswer *>(parameter);
    for (int tries = 0; tries < 200; ++tries, Sleep(50)) {
        HWND box = FindWindowA("#32770", SetupName);
        if (!box || !GetDlgItem(box, 0xFFFF))
            continue;
        char text[kPathChars] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        answer->seen = true;
        answer->text = text;
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return 0;
    }
    return 1;
}

} // namespace

TEST(FreeSpace, DriveCIsMeasured)
{
    UseOneDrive("C:\\");
    FreeBytes = 0;
    QueryFreeSpace(0);
    EXPECT_GT(FreeBytes, 0u);
}

TEST(FreeSpace, ZeroAvailableToTheCallerFallsBackToTheTotalFreeCount)
{
    EXPECT_EQ(PickFreeBytes(0, 7340032), 7340032u);
    EXPECT_EQ(PickFreeBytes(1048576, 7340032), 1048576u);
    const uint64_t aboveFourGibibytes = (uint64_t{5} << 30) + 1;
    EXPECT_EQ(PickFreeBytes(aboveFourGibibytes, 1), aboveFourGibibytes);
    EXPECT_EQ(PickFreeBytes(0, aboveFourGibibytes), aboveFourGibibytes);
}

TEST(FreeSpace, DriveThatCannotBeMeasuredShowsTheErrorAndKeepsTheOldFigure)
{
    DriveThatPointsNowhere driveQ('q');
    if (!driveQ.Made())
        GTEST_SKIP() << "needs Wine to make a drive that points nowhere";
    ASSERT_STREQ(SetupName, "SETUP");
    UseOneDrive("Q:\\");
    FreeBytes = 987654321;

    BoxAnswer answer;
    HANDLE helper = CreateThread(nullptr, 0, AnswerSetupBox, &answer, 0, nullptr);
    ASSERT_NE(helper, nullptr);
    QueryFreeSpace(0);
    WaitForSingleObject(helper, 15000);
    CloseHandle(helper);

    ASSERT_TRUE(answer.seen) << "no box captioned SETUP appeared";
    unsigned long error = 0;
    ASSERT_EQ(sscanf(answer.text.c_str(), "error: %lu:", &error), 1) << answer.text;
    EXPECT_NE(error, 0u);
    RecordProperty("box", answer.text);
    EXPECT_EQ(answer.text, "error: " + std::to_string(error) + ":  could not get free space for\n");
    EXPECT_EQ(FreeBytes, 987654321u);
}

TEST(FreeSpace, NoDriveListedMeasuresNothing)
{
    DriveCount = 0;
    FreeBytes = 42;
    QueryFreeSpace(0);
    QueryFreeSpace(-1);
    EXPECT_EQ(FreeBytes, 42u);
}

TEST(DefaultFolder, ProposesProgramFilesOnTheWindowsDrive)
{
    CurrentDirectory restore;
    strcpy(SourceDir, "c:\\setup");
    memset(BaseFolder, 0, sizeof BaseFolder);
    FreeBytes = 0;
    ChooseDefaultFolder();

    EXPECT_STREQ(SourceDir, "C:\\SETUP");
    int driveC = -1;
    for (int drive = 0; drive < DriveCount; ++drive)
        if (strcmp(DriveTable[drive], "C:\\") == 0)
            driveC = drive;
    ASSERT_GE(driveC, 0) << "no drive C listed";
    char windowsDir[MAX_PATH];
    GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    ASSERT_EQ(toupper(static_cast<unsigned char>(windowsDir[0])), 'C');
    EXPECT_STREQ(BaseFolder, "C:\\Program files");
    EXPECT_EQ(CurrentDrive, driveC);
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_EQ(lstrcmpiA(current, "C:\\Program files"), 0) << current;
    EXPECT_GT(FreeBytes, 0u);
}

TEST(SpaceLine, IsSetAsTheControlsText)
{
    HWND parent = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 100, 20, parent, reinterpret_cast<HMENU>(114), nullptr,
                  nullptr);
    FreeBytes = uint64_t{3} << 30;
    RequiredBytes = 19704738;
    ShowSpaceText(parent, 114);
    char text[kPathChars] = {};
    GetDlgItemTextA(parent, 114, text, sizeof text);
    EXPECT_STREQ(text, "Available: 3072.00 MB  --  Required: 18.79 MB");
    DestroyWindow(parent);
}
