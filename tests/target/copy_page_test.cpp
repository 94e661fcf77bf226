// The copy page's two archive stages fed with archives made here: what is
// written, what is skipped, and how damaged archives, long paths and a full
// disk end a stage. The page is created from its template with a procedure
// that does nothing, so the stages run only when a test calls them.
#include "modal_steps.h"
#include "options/catalogue.h"
#include "payload/archive.h"
#include "payload/copy_page.h"
#include "payload/progress_bar.h"
#include "resources/resource.h"
#include "shell/pages.h"

#include <gtest/gtest.h>

#include "tests/file_bytes.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{

struct Sample {
    std::string name, data;
    uint32_t declaredSize = UINT32_MAX; // the data's own size unless set
};

std::string RecordBytes(const Sample &sample)
{
    const uint32_t size =
        sample.declaredSize != UINT32_MAX ? sample.declaredSize : uint32_t(sample.data.size());
    std::string bytes(1, char(sample.name.size()));
    bytes += sample.name;
    bytes += {char(size), char(size >> 8), char(size >> 16), char(size >> 24)};
    return bytes + sample.data;
}

bool Exists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

INT_PTR CALLBACK IdlePageProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

struct SeenBox {
    std::string text, caption;
};

class CopyStages : public testing::Test
{
  protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder_ =
            std::string(temp) + "copy_stage_" + testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(folder_.c_str(), nullptr);
        install_ = folder_ + "\\installed";
        CreateDirectoryA(install_.c_str(), nullptr);
        strcpy(InstallDir, install_.c_str());
        for (int row = 0; row < kTranslationRows; ++row)
            TranslationState[row] = IsAliasRow(row) ? TS_ALIAS_DONT_INSTALL : TS_DONT_INSTALL;
        for (int k = 0; k < kRecitationCount; ++k)
            RecitationState[k] = RS_DONT_INSTALL;
        RecitationsAvailable = 1;
        CopyAborted = 0;
        page_ = CreateDialogParamA(GetModuleHandleA(nullptr), "IDD_COPY", nullptr, IdlePageProc, 0);
        ASSERT_NE(page_, nullptr);
        ProgressBegin(GetDlgItem(page_, IDT_COPY_PROGRESS), 160);
    }
    void TearDown() override
    {
        ProgressEnd();
        DestroyWindow(page_);
    }

    // Runs a stage over the records, answering every message box with OK.
    void RunStage(void (*stage)(HWND, FILE *), const std::vector<Sample> &records)
    {
        std::string bytes;
        for (const Sample &record : records)
            bytes += RecordBytes(record);
        const std::string path = folder_ + "\\archive.dat";
        FILE *out = fopen(path.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        ASSERT_EQ(fwrite(bytes.data(), 1, bytes.size(), out), bytes.size());
        ASSERT_EQ(fclose(out), 0);

        ModalSteps answerAll({[this](HWND top) {
            if (ModalSteps::IsMessageBox(top)) {
                boxes_.push_back({ModalSteps::BoxText(top), ModalSteps::Caption(top)});
                PostMessageA(top, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            }
            return false; // keeps answering
        }});
        FILE *archive = fopen(path.c_str(), "rb");
        ASSERT_NE(archive, nullptr);
        stage(page_, archive);
        fclose(archive);
    }

    // The 31 translation records, each paired with its catalogue row; with
    // every row at "don't install" they are only skipped.
    static std::vector<Sample> TranslationRecords()
    {
        std::vector<Sample> records;
        for (int j = 0; j < kTranslationFiles; ++j)
            records.push_back({"t" + std::to_string(j), std::string(j, 'x')});
        return records;
    }

    // The recitation archive's 113 records, none worth writing.
    static std::vector<Sample> RecitationRecords()
    {
        std::vector<Sample> records;
        for (int k = 1; k < kRecitationCount; ++k)
            records.push_back({"sound\\" + std::to_string(k), "mp3"});
        return records;
    }

    std::string Installed(const std::string &name) const { return install_ + "\\" + name; }

    std::string folder_, install_;
    HWND page_ = nullptr;
    std::vector<SeenBox> boxes_;
};

TEST_F(CopyStages, FilesStageWritesTheChosenRecordsAndMakesEveryRecordsFolders)
{
    std::vector<Sample> records = TranslationRecords();
    records[1] = {"qtext\\ARABIC.TX_", "not the catalogue's size"}; // row 1, chosen
    records[2] = {"skipped\\t2", "zz"};                             // row 2, not chosen
    TranslationState[1] = TS_INSTALL_LOAD;
    const std::vector<Sample> always = {
        {"images\\earth.bmp", "BM picture"}, {"empty.dat", ""}, {"sound\\deep\\er.mp3", "ID3"}};
    records.insert(records.end(), always.begin(), always.end());
    while (records.size() < size_t(kFilesArchiveRecords))
        records.push_back({"f" + std::to_string(records.size()), "data " + std::to_string(records.size())});
    records.push_back({"never.read", "after the last record"});

    RunStage(InstallFilesArchive, records);

    EXPECT_EQ(CopyAborted, 0);
    EXPECT_FALSE(Exists(Installed("t0")));
    EXPECT_EQ(ReadFileBytes(Installed("qtext\\ARABIC.TX_"), "<missing>"), "not the catalogue's size");
    EXPECT_TRUE(Exists(Installed("skipped"))); // its folder, though the file is skipped
    EXPECT_FALSE(Exists(Installed("skipped\\t2")));
    EXPECT_EQ(ReadFileBytes(Installed("images\\earth.bmp"), "<missing>"), "BM picture");
    EXPECT_EQ(ReadFileBytes(Installed("empty.dat"), "<missing>"), ""); // a record of size 0 is an empty file
    EXPECT_EQ(ReadFileBytes(Installed("sound\\deep\\er.mp3"), "<missing>"), "ID3");
    EXPECT_EQ(ReadFileBytes(Installed("f46"), "<missing>"), "data 46");
    EXPECT_FALSE(Exists(Installed("never.read")));
    // The size check goes by the paired row and does not stop the copy.
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "24 = 400574\nArabic Holy Qur'an file (ARABIC.TX_) was corrupted.\n"
                              "Download a new copy of SetupD.exe from http://www.dunvo.org");
    EXPECT_EQ(boxes_[0].caption, "Error");
}

TEST_F(CopyStages, FilesStageStopsAtADamagedArchiveWithoutGuessing)
{
    std::vector<Sample> records = TranslationRecords();
    records.push_back({"whole.dat", "complete"});
    records.push_back({"cut.dat", "only ten b", 1000}); // the archive ends inside its data
    RunStage(InstallFilesArchive, records);
    EXPECT_EQ(CopyAborted, 1);
    EXPECT_EQ(ReadFileBytes(Installed("whole.dat"), "<missing>"), "complete");
    EXPECT_FALSE(Exists(Installed("cut.dat")));
    EXPECT_TRUE(boxes_.empty()); // the payload's failures end the page without a box of their own

    // An archive that simply ends before its 47th record.
    CopyAborted = 0;
    records.pop_back();
    RunStage(InstallFilesArchive, records);
    EXPECT_EQ(CopyAborted, 1);

    // A name that would leave the installation folder: nothing is made for it.
    CopyAborted = 0;
    records = TranslationRecords();
    records.push_back({"..\\escaped\\evil.txt", "x"});
    records.push_back({"after.dat", "x"});
    RunStage(InstallFilesArchive, records);
    EXPECT_EQ(CopyAborted, 1);
    EXPECT_FALSE(Exists(folder_ + "\\escaped"));
    EXPECT_FALSE(Exists(Installed("after.dat")));
}

TEST_F(CopyStages, PathsThatDoNotFitAreRefusedWithAMessage)
{
    // A folder path must fit in 260 characters.
    const std::string deep = "C:\\" + std::string(300, 'd');
    strcpy(InstallDir, deep.c_str());
    std::vector<Sample> records = TranslationRecords();
    records[0].name = "qtext\\t0";
    RunStage(InstallFilesArchive, records);
    EXPECT_EQ(CopyAborted, 1);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text,
              "The path is too long, nothing was written to it:\n" + deep.substr(0, 200) + "\\qtext");

    // A file path must fit in 512.
    CopyAborted = 0;
    boxes_.clear();
    const std::string wide = "C:\\" + std::string(505, 'w');
    strcpy(InstallDir, wide.c_str());
    records = TranslationRecords();
    records.push_back({"dunvo.exe", "MZ"});
    RunStage(InstallFilesArchive, records);
    EXPECT_EQ(CopyAborted, 1);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text,
              "The path is too long, nothing was written to it:\n" + wide.substr(0, 200) + "\\dunvo.exe");
}

TEST_F(CopyStages, FullDiskEndsTheStageWithAMessage)
{
    // Wine's Z: drive reaches the host's /dev/full: it opens, and refuses every byte.
    strcpy(InstallDir, "Z:\\dev");
    std::vector<Sample> records = TranslationRecords();
    records.push_back({"full", std::string(100000, 'f')});
    records.push_back({"after.dat", "x"});
    RunStage(InstallFilesArchive, records);
    EXPECT_EQ(CopyAborted, 1);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "Could not write file, the disk may be full:\nZ:\\dev\\full");
}

TEST_F(CopyStages, RecitationStageWritesOnlyTheChosenFiles)
{
    CreateDirectoryA(Installed("sound").c_str(), nullptr); // made by the payload stage
    std::vector<Sample> records = RecitationRecords();
    records[111] = {"sound\\113.mp3", std::string(RecitationSizes[112], 'a')};
    records[112] = {"sound\\114.mp3", std::string(RecitationSizes[113], 'b')};
    records[4] = {"sound\\006.mp3", ""};
    RecitationState[112] = RecitationState[113] = RecitationState[5] = RS_INSTALL;

    RunStage(InstallRecitationArchive, records);

    EXPECT_EQ(CopyAborted, 0);
    EXPECT_EQ(ReadFileBytes(Installed("sound\\113.mp3"), "<missing>"), records[111].data);
    EXPECT_EQ(ReadFileBytes(Installed("sound\\114.mp3"), "<missing>"), records[112].data);
    EXPECT_EQ(ReadFileBytes(Installed("sound\\006.mp3"), "<missing>"), "");
    EXPECT_FALSE(Exists(Installed("sound\\1")));
    // The empty record is written, then reported by its size.
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text,
              "0 = " + std::to_string(RecitationSizes[5]) + "\nFile: " + Installed("sound\\006.mp3") +
                  " was corrupted.\nDownload a new copy of SetupD.exe from http://www.dunvo.org");
}

TEST_F(CopyStages, RecitationStageNamesWhatIsWrongWithTheSideFile)
{
    CreateDirectoryA(Installed("sound").c_str(), nullptr);
    const std::string download = "\nDownload a new copy of mp3data.gz from http://www.dunvo.org";
    struct Case {
        std::vector<Sample> records;
        int chosen;
        std::string message;
    };
    std::vector<Sample> shortArchive = RecitationRecords();
    shortArchive.resize(2);
    std::vector<Sample> unsafe = RecitationRecords();
    unsafe[1].name = "sound\\..\\..\\evil.mp3";
    std::vector<Sample> cut = RecitationRecords();
    cut.resize(3);
    cut[2] = {"sound\\004.mp3", "short", RecitationSizes[3]};
    std::vector<Sample> noFolder = RecitationRecords();
    noFolder[0].name = "nowhere\\002.mp3";
    const Case cases[] = {
        {shortArchive, 0, "mp3data.gz is damaged: it ends in record 3 of 113." + download},
        {unsafe, 2,
         "mp3data.gz is damaged: record 2 has a file name that cannot be "
         "installed:\nsound\\..\\..\\evil.mp3" +
             download},
        {cut, 3, "mp3data.gz is damaged: it ends in record 3 of 113." + download},
        {noFolder, 1, "Could not create file:\n" + Installed("nowhere\\002.mp3")},
    };
    for (const Case &c : cases) {
        CopyAborted = 0;
        boxes_.clear();
        for (int k = 0; k < kRecitationCount; ++k)
            RecitationState[k] = k == c.chosen ? RS_INSTALL : RS_DONT_INSTALL;
        RunStage(InstallRecitationArchive, c.records);
        EXPECT_EQ(CopyAborted, 1) << c.message;
        ASSERT_EQ(boxes_.size(), 1u) << c.message;
        EXPECT_EQ(boxes_[0].text, c.message);
    }
    EXPECT_FALSE(Exists(folder_ + "\\evil.mp3"));
    EXPECT_FALSE(Exists(Installed("sound\\004.mp3")));
}

TEST_F(CopyStages, OnlyAvailableRecitationsAfterTheFirstAreCounted)
{
    for (int k = 0; k < kRecitationCount; ++k)
        RecitationState[k] = RS_INSTALL;
    EXPECT_EQ(CountChosenRecitations(), 113);
    RecitationsAvailable = 0;
    EXPECT_EQ(CountChosenRecitations(), 0);
}

// The whole page over the payload built into this program, as the page
// sequence runs it: a translation left out still counts on the bar.
TEST_F(CopyStages, PageInstallsThePayloadAndFillsTheBar)
{
    ProgressEnd();
    DestroyWindow(page_); // the page makes its own
    page_ = nullptr;
    for (int row = 0; row < kTranslationRows; ++row)
        TranslationState[row] = IsAliasRow(row) ? TS_ALIAS_INSTALL : TS_INSTALL;
    TranslationState[0] = TS_DONT_INSTALL;
    TranslationState[1] = TS_INSTALL_LOAD;
    RecitationsAvailable = 0;
    std::string status = "<none>";
    int barWidth = -1;
    ModalSteps watch({[&](HWND top) {
        if (ModalSteps::IsMessageBox(top)) {
            boxes_.push_back({ModalSteps::BoxText(top), ModalSteps::Caption(top)});
            PostMessageA(top, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        } else if (top && GetDlgItem(top, IDT_COPY_PROGRESS)) {
            RECT client;
            GetClientRect(GetDlgItem(top, IDT_COPY_PROGRESS), &client);
            barWidth = client.right;
        }
        return false;
    }});

    EXPECT_EQ(RunCopyPage(nullptr), 0);

    for (const SeenBox &box : boxes_)
        ADD_FAILURE() << "unexpected box: " << box.text;
    EXPECT_FALSE(Exists(Installed("qtext\\ALBANIAN.TX_")));
    EXPECT_TRUE(Exists(Installed("qtext"))); // made for the skipped record too
    EXPECT_EQ(MeasureFileSize(Installed("qtext\\ARABIC.TX_").c_str()), 400574);
    EXPECT_EQ(MeasureFileSize(Installed("images\\earth.bmp").c_str()), 1500054);
    EXPECT_EQ(MeasureFileSize(Installed("sound\\001.mp3").c_str()), 172118);
    EXPECT_EQ(MeasureFileSize(Installed("avaldata.dat").c_str()), 4 + 619);
    EXPECT_FALSE(Exists(std::string(TempDir) + "\\filesdata.gz"));
    EXPECT_FALSE(Exists(std::string(TempDir) + "\\filesdata.dat"));
    // One step at "Loading setup files" and one for each of the 47 records, written or not.
    EXPECT_EQ(CopyProgress.numbers.totalSteps, 47);
    EXPECT_EQ(CopyProgress.numbers.stepCounter, 48);
    EXPECT_STREQ(CopyProgress.numbers.text, "100");
    ASSERT_GT(barWidth, 0);
    EXPECT_EQ(CopyProgress.numbers.filled, barWidth);
}

// Cancel pressed while the payload is unpacked is heard in the first pump,
// after record 0: that record is whole, nothing after it is written, and the
// list and the clean-up still happen.
TEST_F(CopyStages, CancelIsHeardAfterTheRecordInHand)
{
    ProgressEnd();
    DestroyWindow(page_);
    page_ = nullptr;
    for (int row = 0; row < kTranslationRows; ++row)
        TranslationState[row] = IsAliasRow(row) ? TS_ALIAS_INSTALL : TS_INSTALL;
    TranslationState[0] = TS_INSTALL_LOAD;
    RecitationsAvailable = 0;
    ModalSteps cancel({[](HWND top) {
        if (!top || !GetDlgItem(top, IDT_COPY_PROGRESS))
            return false;
        PostMessageA(top, WM_COMMAND, IDCANCEL, 0);
        return true;
    }});

    EXPECT_EQ(RunCopyPage(nullptr), 1);

    EXPECT_TRUE(cancel.Finished());
    EXPECT_EQ(MeasureFileSize(Installed("qtext\\ALBANIAN.TX_").c_str()), 468571);
    EXPECT_FALSE(Exists(Installed("qtext\\ARABIC.TX_")));
    EXPECT_FALSE(Exists(Installed("sound")));
    EXPECT_EQ(MeasureFileSize(Installed("avaldata.dat").c_str()), 4 + 619);
    EXPECT_FALSE(Exists(std::string(TempDir) + "\\filesdata.gz"));
    EXPECT_FALSE(Exists(std::string(TempDir) + "\\filesdata.dat"));
}

} // namespace
