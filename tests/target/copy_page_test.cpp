// The copy page where no road through the pages leads: archives of the test's
// own fed to the files stage, and a Cancel that arrives at a known moment.
#include "common/app_window.h"
#include "options/catalogue.h"
#include "payload/copy_page.h"
#include "payload/progress_bar.h"
#include "resources/resource.h"
#include "shell/pages.h"
#include "target_test.h"

// One archive record: name length, name, size (little-endian, as on this machine), data.
static std::string Record(const std::string &name, const std::string &data)
{
    const uint32_t size = uint32_t(data.size());
    return char(name.size()) + name + std::string(reinterpret_cast<const char *>(&size), 4) + data;
}

class FilesStage : public testing::Test
{
  protected:
    ~FilesStage() override { DestroyWindow(page_); }

    // The stage into `installDir` over an archive of the 31 translation records (of one byte each;
    // every row but the first left out, so each is only skipped) and then `tail`.
    void Run(const std::string &installDir, const std::string &tail, int32_t firstRow = TS_DONT_INSTALL)
    {
        std::string bytes;
        for (int j = 0; j < kTranslationFiles; ++j)
            bytes += Record("t" + std::to_string(j), "x");
        bytes += tail;
        ASSERT_TRUE(CopyInto(InstallDir, installDir.c_str()));
        for (int row = 0; row < kTranslationRows; ++row)
            TranslationState[row] = IsAliasRow(row) ? TS_ALIAS_DONT_INSTALL : TS_DONT_INSTALL;
        TranslationState[0] = firstRow;
        CopyAborted = 0;
        FILE *archive = tmpfile();
        fwrite(bytes.data(), 1, bytes.size(), archive);
        rewind(archive);
        ProgressBegin(page_, 100); // the stage steps the bar
        InstallFilesArchive(page_, archive);
        ProgressEnd();
        fclose(archive);
    }

    HWND page_ = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    BoxAnswerer boxes_;
};

// Posted as the copy page opens, Cancel waits in the queue behind the page's
// own start command, so the copy hears it at its first look between records.
static LRESULT CALLBACK CancelAtOpening(int code, WPARAM wParam, LPARAM lParam)
{
    const auto *call = reinterpret_cast<const CWPRETSTRUCT *>(lParam);
    if (code == HC_ACTION && call->message == WM_INITDIALOG && GetDlgItem(call->hwnd, IDT_COPY_PROGRESS))
        PostMessageA(call->hwnd, WM_COMMAND, IDCANCEL, 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(FilesStage, ADamagedArchiveStopsTheStageWithoutAFileOfUndefinedContent)
{
    const std::string whole = Record("whole.dat", "complete");
    const std::pair<const char *, std::string> cases[] = {
        {"ends inside a record's data", whole + Record("cut.dat", std::string(1000, 'c')).substr(0, 30)},
        {"ends before its 47th record", whole},
        {"leaves its folder", whole + Record("..\\escaped.dat", "x") + Record("after.dat", "x")},
    };
    for (const auto &[label, tail] : cases) {
        const std::string install = TempFolder(label);
        Run(install, tail);
        EXPECT_EQ(CopyAborted, 1) << label;
        EXPECT_EQ(Listing(install), std::vector<std::string>{"whole.dat"}) << label;
        EXPECT_EQ(ReadFileBytes(install + "\\whole.dat"), "complete") << label;
    }
}

// A translation file of another size than its row's is told, and the copy goes on.
TEST_F(FilesStage, ATranslationOfTheWrongSizeIsToldAndTheCopyGoesOn)
{
    const std::string install = TempFolder("corrupted");
    Run(install, Record("after.dat", "x"), TS_INSTALL);
    EXPECT_EQ(boxes_.seen, (std::vector<SeenBox>{{"1 = 468571\nAlbanian Holy Qur'an file (ALBANIAN.TX_) was "
                                                  "corrupted.\nDownload a new copy of SetupD.exe from "
                                                  "http://www.dunvo.org",
                                                  "Error", page_, MB_ICONERROR}}));
    EXPECT_EQ(Listing(install), (std::vector<std::string>{"after.dat", "t0"}));
}

TEST_F(FilesStage, APathThatDoesNotFitIsRefusedWithAMessageNotCut)
{
    const struct {
        std::string installDir, record, named;
    } cases[] = {
        {"C:\\" + std::string(505, 'w'), "dunvo.exe", "dunvo.exe"}, // 518 characters: past 511
        {"C:\\" + std::string(300, 'd'), "qtext\\t.dat", "qtext"},  // its folder past 259
    };
    for (const auto &c : cases) {
        boxes_.seen.clear();
        Run(c.installDir, Record(c.record, "MZ"));
        EXPECT_EQ(CopyAborted, 1) << c.record;
        const std::string text = "The path is too long, nothing was written to it:\n" +
                                 c.installDir.substr(0, 200) + "\\" + c.named;
        // "Error" is the system's caption, as the page gives none.
        EXPECT_EQ(boxes_.seen, (std::vector<SeenBox>{{text, "Error", page_, MB_ICONERROR}}));
    }
}

TEST(CopyPage, CancelIsHeardAfterTheRecordInHand)
{
    AppInstance = GetModuleHandleA(nullptr); // the page's template and the payload are the test program's
    const std::string install = TempFolder("cancelled");
    ASSERT_TRUE(CopyInto(InstallDir, install.c_str()));
    for (int row = 0; row < kTranslationRows; ++row)
        TranslationState[row] = IsAliasRow(row) ? TS_ALIAS_INSTALL : TS_INSTALL;
    TranslationState[0] = TS_INSTALL_LOAD; // record 0
    BoxAnswerer boxes;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, CancelAtOpening, nullptr, GetCurrentThreadId());
    EXPECT_EQ(RunCopyPage(nullptr), 1);
    UnhookWindowsHookEx(hook);

    EXPECT_EQ(Listing(install), (std::vector<std::string>{"avaldata.dat", "qtext"}));
    EXPECT_EQ(Listing(install + "\\qtext"), std::vector<std::string>{"ALBANIAN.TX_"});
    EXPECT_EQ(ReadFileBytes(install + "\\qtext\\ALBANIAN.TX_").size(), ComponentCatalogue[0].FileSize);
    EXPECT_EQ(ReadFileBytes(install + "\\avaldata.dat").size(), 4u + 619); // the one loaded row
    for (const char *temporary : {"\\filesdata.gz", "\\filesdata.dat"})
        EXPECT_EQ(GetFileAttributesA((TempDir + std::string(temporary)).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(boxes.seen.empty());
}
