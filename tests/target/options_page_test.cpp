// The options page made from the real template, driven by the notifications
// a user's clicks and keys send, with its message boxes answered from a
// second thread.
#include "common/app_window.h"
#include "common/install_settings.h"
#include "message_box_answerer.h"
#include "modal_steps.h"
#include "options/catalogue.h"
#include "options/options_page.h"
#include "page_input.h"
#include "resources/resource.h"
#include "shell/pages.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace page_input;

namespace
{

const char kCaption[] = "Dunvo - Setup";
const char kLoadedOutOfRange[] = "You must select between [1 - 4] Holy Qur'an translation for Loading!\n"
                                 "You do that by checking checked translation for a second time.";
const char kSourceFolder[] = "C:\\optsource";
const char kWorkFolder[] = "C:\\optwork";
constexpr uint32_t kAllFilesRequired = 19704738;
constexpr int kAlbanian = 0, kBosnian = 4, kCroatian = 7;

// The folder the setup was started from, with or without the recitations' side file.
void StartFrom(bool withSideFile)
{
    CreateDirectoryA(kSourceFolder, nullptr);
    const std::string side = std::string(kSourceFolder) + "\\mp3data.gz";
    if (withSideFile)
        CloseHandle(CreateFileA(side.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    else
        DeleteFileA(side.c_str());
    strcpy(SourceDir, kSourceFolder);
}

bool IsDirectory(const std::string &path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string RequiredShown(HWND page)
{
    const std::string line = TextOf(page, IDT_DIR_SPACE);
    const size_t at = line.find("Required: ");
    return at == std::string::npos ? line : line.substr(at + 10);
}

// 32-bit pixels, top-down.
struct Pixels {
    int width = 0, height = 0;
    std::vector<DWORD> data;
    DWORD at(int x, int y) const { return data[size_t(y) * width + x] & 0xFFFFFF; }
    COLORREF colour(int x, int y) const
    {
        const DWORD p = at(x, y);
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

BITMAPINFO TopDown32(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Whatever `paint` draws on a blank canvas of the list's client size.
template <class Paint> Pixels Canvas(HWND list, Paint paint)
{
    RECT client;
    GetClientRect(list, &client);
    Pixels pixels;
    pixels.width = client.right;
    pixels.height = client.bottom;
    BITMAPINFO info = TopDown32(pixels.width, pixels.height);
    void *bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, canvas);
    paint(dc);
    GdiFlush();
    const DWORD *first = static_cast<const DWORD *>(bits);
    pixels.data.assign(first, first + size_t(pixels.width) * pixels.height);
    SelectObject(dc, previous);
    DeleteObject(canvas);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The rows as the list draws them (through the page's item drawing).
Pixels DrawnRows(HWND list)
{
    return Canvas(
        list, [&](HDC dc) { SendMessageA(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT); });
}

// How an unselected row's text should look: the list's font in the item
// colour on the list background.
Pixels ExpectedText(HWND list, const RECT &band, int x, const char *text)
{
    return Canvas(list, [&](HDC dc) {
        HBRUSH background = CreateSolidBrush(GetSysColor(COLOR_3DDKSHADOW));
        FillRect(dc, &band, background);
        DeleteObject(background);
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_MENU));
        TextOutA(dc, band.left + x, band.top + 1, text, static_cast<int>(strlen(text)));
    });
}

Pixels Picture(int id)
{
    HBITMAP bitmap = LoadBitmapA(AppInstance, MAKEINTRESOURCEA(id));
    BITMAP description = {};
    GetObjectA(bitmap, sizeof description, &description);
    Pixels pixels;
    pixels.width = description.bmWidth;
    pixels.height = description.bmHeight;
    pixels.data.resize(size_t(pixels.width) * pixels.height);
    BITMAPINFO info = TopDown32(pixels.width, pixels.height);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, pixels.height, pixels.data.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return pixels;
}

// The number of pixels of `expected`, placed at (x, y), that `drawn` differs in.
int Differences(const Pixels &drawn, int x, int y, const Pixels &expected, int ex = 0, int ey = 0,
                int width = -1, int height = -1)
{
    width = width < 0 ? expected.width : width;
    height = height < 0 ? expected.height : height;
    int differences = 0;
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            if (x + column >= drawn.width || y + row >= drawn.height ||
                drawn.at(x + column, y + row) != expected.at(ex + column, ey + row))
                ++differences;
    return differences;
}

RECT RowRect(HWND list, int row)
{
    RECT rect = {};
    rect.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

// A row as the page drew it: where its 16x16 state picture landed (the row
// starts 2 pixels to the left of it) and which state bitmap it is.
struct DrawnRow {
    Pixels drawn;
    POINT origin{-1, -1};
    int width = 0;
    int picture = 0;
};

DrawnRow LookAtRow(HWND list, int row)
{
    DrawnRow seen;
    seen.drawn = DrawnRows(list);
    const RECT rect = RowRect(list, row);
    seen.width = rect.right - rect.left;
    for (int id :
         {IDB_STATE_INSTALL_LOAD, IDB_STATE_INSTALL, IDB_STATE_DONT_INSTALL, IDB_STATE_NOT_AVAILABLE}) {
        const Pixels picture = Picture(id);
        // The list's own margins may move the drawing a few pixels off its item rectangle.
        for (int y = std::max<int>(rect.top - 2, 0); y <= rect.top + 2; ++y)
            for (int x = std::max<int>(rect.left, 0); x <= rect.left + 8; ++x)
                if (Differences(seen.drawn, x, y, picture) == 0) {
                    seen.origin = {x - 2, y};
                    seen.picture = id;
                    return seen;
                }
    }
    return seen;
}

// Differences between a drawn row's text and `text` drawn `x` pixels into the row.
int TextDifferences(HWND list, const DrawnRow &row, int x, const char *text)
{
    const int right = std::min<int>(row.origin.x + row.width, row.drawn.width);
    const RECT band = {row.origin.x, row.origin.y, right, row.origin.y + 16};
    const Pixels expected = ExpectedText(list, band, x, text);
    return Differences(row.drawn, band.left + x, band.top, expected, band.left + x, band.top,
                       right - band.left - x, 16);
}

int FlagDifferences(const DrawnRow &row, int flagId)
{
    return Differences(row.drawn, row.origin.x + 20, row.origin.y, Picture(flagId));
}

class OptionsPageTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        StartFrom(false);
        CreateDirectoryA(kWorkFolder, nullptr);
    }
    void TearDown() override
    {
        if (page_)
            DestroyWindow(page_);
    }
    HWND Open()
    {
        page_ = CreateDialogParamA(AppInstance, "IDD_DIR", nullptr, OptionsPageProc, 0);
        EXPECT_NE(page_, nullptr);
        return page_;
    }
    // A selection that passes the acceptance rules: Albanian loaded.
    HWND OpenWithOneLoaded()
    {
        HWND page = Open();
        ClickRow(page, IDL_DIR_TRANSLATIONS, kAlbanian);
        return page;
    }
    HWND List(int id) { return GetDlgItem(page_, id); }

    CurrentDirectory restore_;
    HWND page_ = nullptr;
};

} // namespace

TEST_F(OptionsPageTest, OpensWithEveryFileInstalledNoneLoadedAndNextAsksForOneToFour)
{
    HWND page = Open();
    ASSERT_NE(page, nullptr);
    for (int row = 0; row < kTranslationRows; ++row)
        EXPECT_EQ(TranslationState[row], IsAliasRow(row) ? TS_ALIAS_INSTALL : TS_INSTALL) << row;
    EXPECT_EQ(RequiredBytes, kAllFilesRequired);
    EXPECT_EQ(RequiredShown(page), "18.79 MB");
    EXPECT_STREQ(InstallDirName, "Dunvo");
    EXPECT_EQ(TextOf(page, IDE_DIR_PATH), "C:\\Program files\\Dunvo");
    EXPECT_EQ(SendMessageA(List(IDL_DIR_TRANSLATIONS), LVM_GETITEMCOUNT, 0, 0), 35);
    EXPECT_EQ(SendMessageA(List(IDL_DIR_RECITATIONS), LVM_GETITEMCOUNT, 0, 0), 114);
    for (int id : {IDL_DIR_TRANSLATIONS, IDL_DIR_RECITATIONS}) {
        char text[32] = "";
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        ASSERT_TRUE(SendMessageA(List(id), LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(text, "Check All");
        EXPECT_EQ(column.cx, 108);
        ASSERT_TRUE(SendMessageA(List(id), LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(text, "UnCheck All");
        EXPECT_EQ(RowRect(List(id), 1).top - RowRect(List(id), 0).top, 16) << "row height of list " << id;
    }

    MessageBoxAnswerer boxes;
    Press(page, IDOK);
    const std::vector<SeenMessageBox> seen = boxes.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, kLoadedOutOfRange);
    EXPECT_EQ(seen[0].caption, kCaption);
    EXPECT_EQ(seen[0].style, UINT(MB_OK | MB_ICONERROR));
    EXPECT_EQ(seen[0].owner, page);
    EXPECT_FALSE(Ended(page));
}

TEST_F(OptionsPageTest, ClicksStepARowAndTheRequiredFigureFollows)
{
    HWND page = Open();
    ClickRow(page, IDL_DIR_TRANSLATIONS, kAlbanian);
    EXPECT_EQ(TranslationState[kAlbanian], TS_INSTALL_LOAD);
    EXPECT_EQ(RequiredShown(page), "18.79 MB");
    ClickRow(page, IDL_DIR_TRANSLATIONS, kAlbanian);
    EXPECT_EQ(TranslationState[kAlbanian], TS_DONT_INSTALL);
    EXPECT_EQ(RequiredBytes, kAllFilesRequired - 468571);
    EXPECT_EQ(RequiredShown(page), "18.35 MB");
    ClickRow(page, IDL_DIR_TRANSLATIONS, kAlbanian);
    EXPECT_EQ(TranslationState[kAlbanian], TS_INSTALL);
    EXPECT_EQ(RequiredBytes, kAllFilesRequired);
    EXPECT_EQ(RequiredShown(page), "18.79 MB");

    // An alias row has no file of its own: it cycles without moving the figure.
    for (int expected : {TS_ALIAS_INSTALL_LOAD, TS_ALIAS_DONT_INSTALL, TS_ALIAS_INSTALL}) {
        ClickRow(page, IDL_DIR_TRANSLATIONS, kCroatian);
        EXPECT_EQ(TranslationState[kCroatian], expected);
        EXPECT_EQ(RequiredBytes, kAllFilesRequired);
        EXPECT_EQ(RequiredShown(page), "18.79 MB");
    }
}

TEST_F(OptionsPageTest, ColumnHeadersSelectAndClearOneListOnly)
{
    StartFrom(true);
    HWND page = Open();
    ClickRow(page, IDL_DIR_TRANSLATIONS, kAlbanian);
    ClickRow(page, IDL_DIR_TRANSLATIONS, kCroatian);
    ClickColumn(page, IDL_DIR_TRANSLATIONS, 0); // "Check All" turns loaded rows back into "Install"
    EXPECT_EQ(TranslationState[kAlbanian], TS_INSTALL);
    EXPECT_EQ(TranslationState[kCroatian], TS_ALIAS_INSTALL);
    EXPECT_EQ(RequiredBytes, kAllFilesRequired);

    ClickColumn(page, IDL_DIR_RECITATIONS, 0);
    EXPECT_EQ(RecitationState[1], RS_INSTALL);
    EXPECT_EQ(RecitationState[113], RS_INSTALL);
    EXPECT_EQ(RequiredBytes, kAllFilesRequired + 304799322u);
    EXPECT_EQ(RequiredShown(page), "309.47 MB");

    ClickColumn(page, IDL_DIR_TRANSLATIONS, 1);
    for (int row = 0; row < kTranslationRows; ++row)
        EXPECT_EQ(TranslationState[row], IsAliasRow(row) ? TS_ALIAS_DONT_INSTALL : TS_DONT_INSTALL) << row;
    EXPECT_EQ(RequiredBytes, BaseRequiredBytes + 304799322u);

    // "UnCheck All" of the recitations leaves the translations' share alone.
    ClickColumn(page, IDL_DIR_TRANSLATIONS, 0);
    ClickColumn(page, IDL_DIR_RECITATIONS, 1);
    EXPECT_EQ(RecitationState[57], RS_DONT_INSTALL);
    EXPECT_EQ(RequiredBytes, kAllFilesRequired);
    EXPECT_EQ(RequiredShown(page), "18.79 MB");

    ClickColumn(page, IDL_DIR_RECITATIONS, 2); // no such column: nothing happens
    EXPECT_EQ(RecitationState[57], RS_DONT_INSTALL);
}

TEST_F(OptionsPageTest, WithoutTheSideFileNoRecitationCanBeChosen)
{
    HWND page = Open();
    HWND list = List(IDL_DIR_RECITATIONS);
    EXPECT_EQ(RecitationsAvailable, 0);
    for (int index = 0; index < kRecitationCount; ++index)
        ASSERT_EQ(RecitationState[index], RS_NOT_AVAILABLE) << index;
    ClickRow(page, IDL_DIR_RECITATIONS, 5);
    ClickColumn(page, IDL_DIR_RECITATIONS, 0);
    EXPECT_EQ(RecitationState[5], RS_NOT_AVAILABLE);
    EXPECT_EQ(RecitationState[1], RS_NOT_AVAILABLE);
    EXPECT_EQ(RequiredBytes, kAllFilesRequired);

    Select(list, 10); // keep the rows looked at unselected
    const DrawnRow first = LookAtRow(list, 0);
    EXPECT_EQ(first.picture, IDB_STATE_INSTALL_LOAD);
    EXPECT_EQ(TextDifferences(list, first, 38, "001.mp3 - installing by default"), 0);
    const DrawnRow second = LookAtRow(list, 1);
    EXPECT_EQ(second.picture, IDB_STATE_NOT_AVAILABLE);
    EXPECT_EQ(TextDifferences(list, second, 38, "002.mp3 - not available"), 0);
    // The comparison itself can tell texts apart.
    EXPECT_GT(TextDifferences(list, second, 38, "002.mp3"), 0);
}

TEST_F(OptionsPageTest, WithTheSideFileRecitationsToggleAndTheFirstStaysInstalled)
{
    StartFrom(true);
    HWND page = Open();
    HWND list = List(IDL_DIR_RECITATIONS);
    EXPECT_EQ(RecitationsAvailable, 1);
    EXPECT_EQ(RecitationState[3], RS_DONT_INSTALL);
    ClickRow(page, IDL_DIR_RECITATIONS, 3);
    EXPECT_EQ(RecitationState[3], RS_INSTALL);
    EXPECT_EQ(RequiredBytes, kAllFilesRequired + 14550646u);
    ClickRow(page, IDL_DIR_RECITATIONS, 3);
    EXPECT_EQ(RecitationState[3], RS_DONT_INSTALL);
    EXPECT_EQ(RequiredBytes, kAllFilesRequired);

    const int32_t firstBefore = RecitationState[0];
    ClickRow(page, IDL_DIR_RECITATIONS, 0);
    EXPECT_EQ(RecitationState[0], firstBefore);
    EXPECT_EQ(RequiredBytes, kAllFilesRequired);

    ClickRow(page, IDL_DIR_RECITATIONS, 2);
    Select(list, 10);
    const DrawnRow first = LookAtRow(list, 0);
    EXPECT_EQ(first.picture, IDB_STATE_INSTALL_LOAD);
    EXPECT_EQ(TextDifferences(list, first, 38, "001.mp3 - installing by default"), 0);
    const DrawnRow second = LookAtRow(list, 1);
    EXPECT_EQ(second.picture, IDB_STATE_DONT_INSTALL);
    EXPECT_EQ(TextDifferences(list, second, 38, "002.mp3"), 0);
    EXPECT_EQ(LookAtRow(list, 2).picture, IDB_STATE_INSTALL);
}

TEST_F(OptionsPageTest, KeyboardSelectionChangesNoState)
{
    Open();
    HWND list = List(IDL_DIR_TRANSLATIONS);
    SetFocus(list);
    Select(list, 0);
    for (int step = 0; step < 3; ++step) {
        SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
        SendMessageA(list, WM_KEYUP, VK_DOWN, 0);
    }
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 3);
    Select(list, 7);
    for (int row = 0; row < kTranslationRows; ++row)
        EXPECT_EQ(TranslationState[row], IsAliasRow(row) ? TS_ALIAS_INSTALL : TS_INSTALL) << row;
    EXPECT_EQ(RequiredBytes, kAllFilesRequired);
}

TEST_F(OptionsPageTest, RowsShowTheirStatePictureFlagAndName)
{
    HWND page = Open();
    HWND list = List(IDL_DIR_TRANSLATIONS);
    Select(list, 10); // in view, so the list does not scroll
    const DrawnRow albanian = LookAtRow(list, kAlbanian);
    EXPECT_EQ(albanian.picture, IDB_STATE_INSTALL);
    EXPECT_EQ(FlagDifferences(albanian, 2700), 0);
    EXPECT_EQ(TextDifferences(list, albanian, 48, "Albanian"), 0);
    const DrawnRow croatian = LookAtRow(list, kCroatian);
    EXPECT_EQ(croatian.picture, IDB_STATE_INSTALL);
    EXPECT_EQ(FlagDifferences(croatian, 2727), 0);
    EXPECT_EQ(TextDifferences(list, croatian, 48, "Croatian[Bosnian]"), 0);
    EXPECT_GT(FlagDifferences(croatian, 2703), 0); // Bosnian's flag is another picture

    ClickRow(page, IDL_DIR_TRANSLATIONS, kAlbanian);
    Select(list, 10); // in view, so the list does not scroll
    EXPECT_EQ(LookAtRow(list, kAlbanian).picture, IDB_STATE_INSTALL_LOAD);
    ClickRow(page, IDL_DIR_TRANSLATIONS, kAlbanian);
    // The selected row is drawn on the selection colour, with the same pictures.
    const DrawnRow selected = LookAtRow(list, kAlbanian);
    EXPECT_EQ(selected.picture, IDB_STATE_DONT_INSTALL);
    EXPECT_EQ(FlagDifferences(selected, 2700), 0);
    EXPECT_EQ(selected.drawn.colour(selected.origin.x + 150, selected.origin.y + 5),
              GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(OptionsPageTest, NextRefusesADirectoryTooShortOrTooLong)
{
    HWND page = OpenWithOneLoaded();
    SetDlgItemTextA(page, IDE_DIR_PATH, "C:\\");
    {
        MessageBoxAnswerer boxes;
        Press(page, IDOK);
        const std::vector<SeenMessageBox> seen = boxes.Seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].text, "You were forgoten to select an directory");
        EXPECT_EQ(seen[0].caption, kCaption);
        EXPECT_EQ(seen[0].style, UINT(MB_OK | MB_ICONWARNING));
    }
    EXPECT_FALSE(Ended(page));
    EXPECT_EQ(GetFocus(), GetDlgItem(page, IDE_DIR_PATH));

    const std::string tooLong = std::string(kWorkFolder) + "\\" + std::string(600, 'l');
    SetDlgItemTextA(page, IDE_DIR_PATH, tooLong.c_str());
    ASSERT_EQ(TextOf(page, IDE_DIR_PATH), tooLong);
    strcpy(InstallDir, "C:\\before");
    {
        MessageBoxAnswerer boxes;
        Press(page, IDOK);
        const std::vector<SeenMessageBox> seen = boxes.Seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].text,
                  "The installation directory is longer than 511 characters.\nChoose a shorter path.");
        EXPECT_EQ(seen[0].style, UINT(MB_OK | MB_ICONWARNING));
    }
    EXPECT_FALSE(Ended(page));
    EXPECT_STREQ(InstallDir, "C:\\before");
}

TEST_F(OptionsPageTest, NextRefusesTooLittleFreeSpaceAndKeepsTheFixUp)
{
    HWND page = Open();
    ClickColumn(page, IDL_DIR_TRANSLATIONS, 1);
    ClickRow(page, IDL_DIR_TRANSLATIONS, kCroatian); // offered again
    ClickRow(page, IDL_DIR_TRANSLATIONS, kCroatian); // and loaded, while Bosnian stays off
    ASSERT_EQ(TranslationState[kBosnian], TS_DONT_INSTALL);
    const std::string directory = std::string(kWorkFolder) + "\\nospace";
    SetDlgItemTextA(page, IDE_DIR_PATH, directory.c_str());
    FreeBytes = BaseRequiredBytes + 403024 - 1;

    MessageBoxAnswerer boxes;
    Press(page, IDOK);
    const std::vector<SeenMessageBox> seen = boxes.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, NotEnoughSpaceText);
    EXPECT_EQ(seen[0].caption, kCaption);
    EXPECT_EQ(seen[0].style, UINT(MB_OK | MB_ICONERROR));
    EXPECT_FALSE(Ended(page));
    EXPECT_FALSE(IsDirectory(directory));
    EXPECT_EQ(TranslationState[kBosnian], TS_INSTALL);
    EXPECT_EQ(RequiredBytes, BaseRequiredBytes + 403024);
}

TEST_F(OptionsPageTest, NextCreatesTheDirectoryAndEnds)
{
    // Four characters are enough to name a directory.
    RemoveDirectoryA("C:\\X");
    HWND page = OpenWithOneLoaded();
    SetDlgItemTextA(page, IDE_DIR_PATH, "C:\\X");
    MessageBoxAnswerer boxes;
    Press(page, IDOK);
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_TRUE(Ended(page));
    EXPECT_TRUE(IsDirectory("C:\\X"));
    EXPECT_STREQ(InstallDir, "C:\\X");
    RemoveDirectoryA("C:\\X");
}

TEST_F(OptionsPageTest, AnExistingDirectoryIsUsedOnlyAfterYes)
{
    const std::string directory = std::string(kWorkFolder) + "\\existing";
    CreateDirectoryA(directory.c_str(), nullptr);
    HWND page = OpenWithOneLoaded();
    SetDlgItemTextA(page, IDE_DIR_PATH, directory.c_str());

    MessageBoxAnswerer boxes({IDNO, IDYES});
    Press(page, IDOK);
    EXPECT_FALSE(Ended(page));
    Press(page, IDOK);
    EXPECT_TRUE(Ended(page));
    const std::vector<SeenMessageBox> seen = boxes.Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text,
              "Directory allready exsist. Continue with the instalation ?\n\nNOTES: Click on the YES "
              "button if this is previous installation of this software, otherwise click on the NO "
              "button and select another installation directory.");
    EXPECT_EQ(seen[0].caption, kCaption);
    EXPECT_EQ(seen[0].style, UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(seen[1].text, seen[0].text);
}

TEST_F(OptionsPageTest, ADirectoryThatCannotBeMadeIsNamedInAnErrorNotAQuestion)
{
    const std::string directory = std::string(kWorkFolder) + "\\missing\\child";
    HWND page = OpenWithOneLoaded();
    SetDlgItemTextA(page, IDE_DIR_PATH, directory.c_str());
    MessageBoxAnswerer boxes;
    Press(page, IDOK);
    const std::vector<SeenMessageBox> seen = boxes.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Cannot create the directory\n" + directory +
                                "\nCheck that its parent folder exists and that you may write there.");
    EXPECT_EQ(seen[0].caption, kCaption);
    EXPECT_EQ(seen[0].style, UINT(MB_OK | MB_ICONERROR));
    EXPECT_FALSE(Ended(page));
    EXPECT_FALSE(IsDirectory(directory));
}

// The page run as the page sequence runs it: modal, ended by its own buttons.
TEST(OptionsPageRun, CancelEndsWithOneOnlyAfterYes)
{
    CurrentDirectory restore;
    StartFrom(false);
    MessageBoxAnswerer boxes({IDNO, IDYES});
    bool stayedAfterNo = false;
    ModalSteps steps({[&](HWND top) {
        if (!top || !GetDlgItem(top, IDL_DIR_TRANSLATIONS))
            return false;
        Press(top, IDCANCEL);
        stayedAfterNo = IsWindowVisible(top);
        PostMessageA(top, WM_COMMAND, IDCANCEL, 0);
        return true;
    }});
    EXPECT_EQ(RunOptionsPage(nullptr), 1);
    EXPECT_TRUE(steps.Finished());
    EXPECT_TRUE(stayedAfterNo);
    const std::vector<SeenMessageBox> seen = boxes.Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, "Are you sure you want to cancel the setup?");
    EXPECT_EQ(seen[0].caption, kCaption);
    EXPECT_EQ(seen[0].style, UINT(MB_YESNO | MB_ICONQUESTION));
}
