// The options page: which translations and recitations to install, and where.
// The selection rules live in options/selection.h; this page turns clicks into
// calls of those rules, draws the rows, and checks everything again on Next.
#include "options/options_page.h"

#include "common/app_window.h"
#include "common/common_controls.h"
#include "common/install_settings.h"
#include "common/temp_folder.h"
#include "common/text.h"
#include "options/catalogue.h"
#include "options/drive_rules.h"
#include "options/drives.h"
#include "options/folder_list.h"
#include "options/list_colours.h"
#include "options/selection.h"
#include "resources/resource.h"
#include "shell/dispatch.h"
#include "shell/pages.h"

#include <algorithm>
#include <cstring>
#include <windowsx.h>

const char NotEnoughSpaceText[] =
    "You do not have enough Free disk space on this drive for installation. Change the drive or remove "
    "some other program-s to free more disk space.";

namespace
{

const char kPageCaption[] = "Dunvo - Setup";
const char kNoDirectory[] = "You were forgoten to select an directory";
const char kNotFullPath[] =
    "The installation directory must be a full path, such as C:\\Program files\\Dunvo.";
const char kDirectoryTooLong[] = "The installation directory is longer than 511 characters.\n"
                                 "Choose a shorter path.";
// The system's ANSI calls take paths of fewer than 260 characters, and
// CreateDirectoryA folders of fewer than 248. A directory in which the longest
// file or folder the installation makes would not fit is refused here, rather
// than halfway through the copy.
constexpr int kLongestInstallDir =
    std::min(259 - 1 - kLongestInstalledName, 247 - 1 - kLongestInstalledFolder);
const char kDirectoryExists[] =
    "Directory allready exsist. Continue with the instalation ?\n\nNOTES: Click on the YES button if this "
    "is previous installation of this software, otherwise click on the NO button and select another "
    "installation directory.";
const char kBrowsedPathTooLong[] = "The folder and the directory name chosen make a path longer than 511 "
                                   "characters.\nThe installation directory stays as it was.";
const char kCancelQuestion[] = "Are you sure you want to cancel the setup?";

// In pixels at 96 dots per inch (ScaleToScreen).
constexpr int kRowHeight = 16;
constexpr int kRowWidth = 400;
constexpr int kColumnWidth = 108;
constexpr int kStateSize = 16;
constexpr int kFlagWidth = 24;

// The lists' look, made when the page opens and kept for the run.
int NtFourLook;
COLORREF SelectedTextColor;
COLORREF ListBackColor;
COLORREF ItemTextColor;
COLORREF SelectedFillColor;
HBRUSH ListBackBrush;
HBRUSH SelectionBrush;
HPEN UnderlinePen;
HBITMAP InstallLoadBitmap;
HBITMAP InstallBitmap;
HBITMAP DontInstallBitmap;
HBITMAP SoundBitmap;
HBITMAP NotAvailableBitmap;

// A row's picture, drawn for 96 dots per inch, stretched once to the screen's.
HBITMAP LoadPicture(int id, int width = kStateSize)
{
    return static_cast<HBITMAP>(LoadImageA(AppInstance, MAKEINTRESOURCEA(id), IMAGE_BITMAP,
                                           ScaleToScreen(width), ScaleToScreen(kStateSize), 0));
}

// The legend's pictures come from the template at their own size; they get
// the rows' size, as their labels get the page's font.
void ScaleLegend(HWND page)
{
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
            continue;
        auto shown = reinterpret_cast<HANDLE>(SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0));
        const int size = ScaleToScreen(kStateSize);
        if (shown)
            SendMessageA(child, STM_SETIMAGE, IMAGE_BITMAP,
                         reinterpret_cast<LPARAM>(CopyImage(shown, IMAGE_BITMAP, size, size, 0)));
    }
}

bool HighContrastIsOn()
{
    HIGHCONTRASTA highContrast = {};
    highContrast.cbSize = sizeof highContrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof highContrast, &highContrast, 0) &&
           (highContrast.dwFlags & HCF_HIGHCONTRASTON);
}

void MakeListLook()
{
    const DWORD version = GetVersion();
    NtFourLook = (version & 0x80000000) == 0 && LOBYTE(LOWORD(version)) == 4;
    const SystemColours system = {GetSysColor(COLOR_WINDOW),       GetSysColor(COLOR_WINDOWTEXT),
                                  GetSysColor(COLOR_HIGHLIGHT),    GetSysColor(COLOR_HIGHLIGHTTEXT),
                                  GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW),
                                  GetSysColor(COLOR_MENU),         GetSysColor(COLOR_BTNSHADOW)};
    const ListColours colours = ChooseListColours(system, HighContrastIsOn(), NtFourLook);
    SelectedTextColor = colours.selectedText;
    ListBackColor = colours.back;
    ItemTextColor = colours.itemText;
    SelectedFillColor = colours.selectedFill;
    ListBackBrush = CreateSolidBrush(ListBackColor);
    SelectionBrush = CreateSolidBrush(SelectedFillColor);
    UnderlinePen = CreatePen(PS_SOLID, 1, ItemTextColor);
    SoundBitmap = LoadPicture(IDB_SOUND);
    NotAvailableBitmap = LoadPicture(IDB_STATE_NOT_AVAILABLE);
    InstallLoadBitmap = LoadPicture(IDB_STATE_INSTALL_LOAD);
    InstallBitmap = LoadPicture(IDB_STATE_INSTALL);
    DontInstallBitmap = LoadPicture(IDB_STATE_DONT_INSTALL);
}

// Two columns whose headers are the select-all and clear-all buttons, and one
// item per row. The page draws every row from the state arrays; the list asks
// the page for the row's texts (its name, and its state in words) only when
// something reads them, a screen reader above all, so they cannot go stale.
void SetUpList(HWND list, int rows)
{
    char checkAll[] = "Check All";
    char uncheckAll[] = "UnCheck All";
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = LVCFMT_LEFT;
    column.cx = ScaleToScreen(kColumnWidth);
    column.pszText = checkAll;
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    column.pszText = uncheckAll;
    SendMessageA(list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));

    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.pszText = LPSTR_TEXTCALLBACKA;
    for (item.iItem = 0; item.iItem < rows; ++item.iItem) {
        item.iSubItem = 0;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        SendMessageA(list, LVM_SETITEMTEXTA, item.iItem, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(list, LVM_SETBKCOLOR, 0, ListBackColor);
}

int OnInitPage(HWND page, UINT, WPARAM, LPARAM)
{
    // The recitations beyond the first come from the side file, found before the page opens.
    StartSelection(SideFile[0] != '\0');
    ChooseDefaultFolder();
    CopyInto(InstallDirName, kDefaultDirectoryName);
    ComposeInstallPath(InstallDir); // the proposal is short; a failure would leave it empty
    SetDlgItemTextA(page, IDE_DIR_PATH, InstallDir);
    ShowSpaceText(page, IDT_DIR_SPACE);
    MakeListLook();
    ScaleLegend(page);
    SetUpList(GetDlgItem(page, IDL_DIR_TRANSLATIONS), kTranslationRows);
    SetUpList(GetDlgItem(page, IDL_DIR_RECITATIONS), kRecitationCount);
    return 1;
}

int OnMeasureItem(HWND, UINT, WPARAM, LPARAM lParam)
{
    auto *measure = reinterpret_cast<MEASUREITEMSTRUCT *>(lParam);
    if (measure->CtlType == ODT_LISTVIEW) {
        measure->itemHeight = ScaleToScreen(kRowHeight);
        measure->itemWidth = ScaleToScreen(kRowWidth);
    }
    return 0;
}

// What a row's picture shows; a screen reader says it in words.
enum RowLook { kDontInstall, kInstall, kInstallLoad, kInstalledByDefault, kNotAvailable };
// The legend's words under the translations, and the same words for a
// recitation with the same picture.
const char *const kLookWords[] = {"Don't Install", "Install", "Install and Load", "Installed by default",
                                  "Not available"};

RowLook LookOf(bool translations, int index)
{
    // The first recitation travels in the payload: it is always installed.
    if (!translations && index == 0)
        return kInstalledByDefault;
    if (translations) {
        const int32_t state = TranslationState[index];
        if (state == TS_DONT_INSTALL || state == TS_ALIAS_DONT_INSTALL)
            return kDontInstall;
        if (state == TS_INSTALL_LOAD || state == TS_ALIAS_INSTALL_LOAD)
            return kInstallLoad;
        return kInstall;
    }
    const int32_t state = RecitationState[index];
    if (state == RS_DONT_INSTALL)
        return kDontInstall;
    if (state == RS_NOT_AVAILABLE)
        return kNotAvailable;
    return kInstall;
}

HBITMAP StatePicture(bool translations, int index)
{
    const HBITMAP pictures[] = {DontInstallBitmap, InstallBitmap, InstallLoadBitmap, InstallLoadBitmap,
                                NotAvailableBitmap};
    return pictures[LookOf(translations, index)];
}

// A picture at a distance from the row's corner given for 96 dots per inch.
void Blit(HDC target, const RECT &row, int x, int width, HDC source, HBITMAP picture)
{
    SelectObject(source, picture);
    BitBlt(target, row.left + ScaleToScreen(x), row.top, ScaleToScreen(width), ScaleToScreen(kStateSize),
           source, 0, 0, SRCCOPY);
}

void Text(HDC target, const RECT &row, int x, const char *text)
{
    TextOutA(target, row.left + ScaleToScreen(x), row.top + ScaleToScreen(1), text,
             static_cast<int>(strlen(text)));
}

// One row: the state picture, the flag or loudspeaker, and the name.
void DrawRow(HDC dc, const RECT &row, bool translations, int index, bool selected)
{
    SetBkMode(dc, TRANSPARENT);
    if (selected) {
        SetTextColor(dc, SelectedTextColor);
        FillRect(dc, &row, SelectionBrush);
        HGDIOBJ previousPen = SelectObject(dc, UnderlinePen);
        MoveToEx(dc, row.left, row.bottom - 1, nullptr);
        LineTo(dc, row.right, row.bottom - 1);
        SelectObject(dc, previousPen);
    } else {
        SetTextColor(dc, ItemTextColor);
        FillRect(dc, &row, ListBackBrush);
    }

    HDC memory = CreateCompatibleDC(dc);
    if (!memory)
        return;
    HGDIOBJ previous = GetCurrentObject(memory, OBJ_BITMAP);
    Blit(dc, row, 2, kStateSize, memory, StatePicture(translations, index));
    HBITMAP flag = nullptr;
    if (translations) {
        // Flags are loaded for one drawing only: 29 of them would sit idle otherwise.
        const ComponentEntry &entry = ComponentCatalogue[index];
        flag = LoadPicture(LOWORD(entry.BitmapId), kFlagWidth);
        if (flag)
            Blit(dc, row, 20, kFlagWidth, memory, flag);
        Text(dc, row, 48, entry.DisplayName);
    } else {
        Blit(dc, row, 20, kStateSize, memory, SoundBitmap);
        char text[64];
        const int number = index + 1;
        if (index == 0)
            FormatInto(text, "%03d.mp3 - installing by default", number);
        else if (RecitationState[index] == RS_NOT_AVAILABLE)
            FormatInto(text, "%03d.mp3 - not available", number);
        else
            FormatInto(text, "%03d.mp3", number);
        Text(dc, row, 38, text);
    }
    SelectObject(memory, previous);
    if (flag)
        DeleteObject(flag);
    DeleteDC(memory);
}

int OnDrawItem(HWND, UINT, WPARAM, LPARAM lParam)
{
    const auto *draw = reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
    if (draw->CtlType != ODT_LISTVIEW)
        return 0;
    const bool translations = draw->CtlID == IDL_DIR_TRANSLATIONS;
    const bool known = translations ? draw->itemID < static_cast<UINT>(kTranslationRows)
                                    : draw->CtlID == IDL_DIR_RECITATIONS &&
                                          draw->itemID < static_cast<UINT>(kRecitationCount);
    if (known)
        DrawRow(draw->hDC, draw->rcItem, translations, static_cast<int>(draw->itemID),
                (draw->itemState & ODS_SELECTED) != 0);
    return 0;
}

// The texts a screen reader reads from a row: its name, then its state.
void GiveRowText(const NMLVDISPINFOA &asked, bool translations)
{
    const LVITEMA &item = asked.item;
    const int row = item.iItem;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax < 1 || row < 0 ||
        row >= (translations ? kTranslationRows : kRecitationCount))
        return;
    char name[16];
    FormatInto(name, "%03d.mp3", row + 1);
    const char *text = item.iSubItem == 1 ? kLookWords[LookOf(translations, row)]
                       : translations     ? ComponentCatalogue[row].DisplayName
                                          : name;
    CopyText(item.pszText, size_t(item.cchTextMax), text);
}

void ShowChanges(HWND list, const int32_t *before, const int32_t *now, int rows)
{
    for (int row = 0; row < rows; ++row)
        if (before[row] != now[row]) {
            SendMessageA(list, LVM_REDRAWITEMS, row, row);
            // The row's text has changed with it: a screen reader on it reads it again.
            NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, list, OBJID_CLIENT, row + 1);
        }
}

// Every change of the selection goes through here: the rows it changed are
// redrawn and announced, and the space line follows.
template <class Change> void ChangeSelection(HWND page, Change change)
{
    int32_t translations[kTranslationRows], recitations[kRecitationCount];
    memcpy(translations, TranslationState, sizeof translations);
    memcpy(recitations, RecitationState, sizeof recitations);
    change();
    ShowChanges(GetDlgItem(page, IDL_DIR_TRANSLATIONS), translations, TranslationState, kTranslationRows);
    ShowChanges(GetDlgItem(page, IDL_DIR_RECITATIONS), recitations, RecitationState, kRecitationCount);
    ShowSpaceText(page, IDT_DIR_SPACE);
}

// "Check All" and "UnCheck All": the column headers, or the list's context menu.
void ChangeAll(HWND page, bool translations, bool check)
{
    ChangeSelection(page, [&] {
        if (check)
            translations ? SelectAllTranslations() : SelectAllRecitations();
        else
            translations ? ClearAllTranslations() : ClearAllRecitations();
    });
}

// A row steps through its states when it is clicked, or when Space is pressed
// on it: the same cycle either way. Moving the selection with the keyboard
// changes nothing. The first recitation and missing ones stay as they are.
void StepRow(HWND page, bool translations, int row)
{
    ChangeSelection(page, [&] { translations ? CycleTranslation(row) : ToggleRecitation(row); });
}

// The list has just moved its selection to the row under the mouse, or its
// focus is on the row Space was pressed on.
int RowWith(HWND list, UINT flag)
{
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), flag));
}

int OnPageNotify(HWND page, UINT, WPARAM, LPARAM lParam)
{
    const auto *header = reinterpret_cast<const NMHDR *>(lParam);
    const bool translations = header->idFrom == IDL_DIR_TRANSLATIONS;
    if (!translations && header->idFrom != IDL_DIR_RECITATIONS)
        return 0;
    HWND list = header->hwndFrom;
    if (header->code == LVN_COLUMNCLICK) {
        const int column = reinterpret_cast<const NMLISTVIEW *>(lParam)->iSubItem;
        if (column == 0 || column == 1)
            ChangeAll(page, translations, column == 0);
    } else if (header->code == NM_CLICK)
        StepRow(page, translations, RowWith(list, LVNI_SELECTED));
    else if (header->code == LVN_KEYDOWN && reinterpret_cast<const NMLVKEYDOWN *>(lParam)->wVKey == VK_SPACE)
        StepRow(page, translations, RowWith(list, LVNI_FOCUSED));
    else if (header->code == LVN_GETDISPINFOA)
        GiveRowText(*reinterpret_cast<const NMLVDISPINFOA *>(lParam), translations);
    return 0;
}

// The column headers answer only the mouse. Shift+F10, the menu key or a
// right click on a list offers the same two commands for that list.
int OnContextMenu(HWND page, UINT, WPARAM wParam, LPARAM lParam)
{
    HWND list = reinterpret_cast<HWND>(wParam);
    const int id = GetDlgCtrlID(list);
    if (id != IDL_DIR_TRANSLATIONS && id != IDL_DIR_RECITATIONS)
        return 0;
    POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x == -1 && at.y == -1) { // from the keyboard: below the focused row
        RECT row = {};
        row.left = LVIR_BOUNDS;
        const int focused = RowWith(list, LVNI_FOCUSED);
        if (focused < 0 || !SendMessageA(list, LVM_GETITEMRECT, focused, reinterpret_cast<LPARAM>(&row)))
            row = RECT{};
        at = POINT{row.left, row.bottom};
        ClientToScreen(list, &at);
    }
    enum { kCheckAll = 1, kUncheckAll };
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, kCheckAll, "&Check All");
    AppendMenuA(menu, MF_STRING, kUncheckAll, "&UnCheck All");
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, page, nullptr);
    DestroyMenu(menu);
    if (chosen)
        ChangeAll(page, id == IDL_DIR_TRANSLATIONS, chosen == kCheckAll);
    return 1;
}

// The directory as typed into edit 101, into InstallDir. A text that does not
// fit is refused instead of being cut to some other directory.
bool TakeInstallDir(HWND page)
{
    HWND edit = GetDlgItem(page, IDE_DIR_PATH);
    const char *refusal = nullptr;
    if (GetWindowTextLengthA(edit) >= kPathChars) {
        refusal = kDirectoryTooLong;
    } else {
        GetWindowTextA(edit, InstallDir, kPathChars);
        if (strlen(InstallDir) < 4)
            refusal = kNoDirectory;
        else if (!IsFullPath(InstallDir))
            refusal = kNotFullPath;
    }
    char tooLong[128];
    if (!refusal && strlen(InstallDir) > size_t{kLongestInstallDir}) {
        FormatInto(tooLong,
                   "The installation directory is longer than %d characters, too long for the files it "
                   "will hold.\nChoose a shorter path.",
                   kLongestInstallDir);
        refusal = tooLong;
    }
    if (!refusal)
        return true;
    MessageBoxA(page, refusal, kPageCaption, MB_OK | MB_ICONWARNING);
    SetFocus(edit);
    return false;
}

bool IsDirectory(const char *path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The typed directory may be on another drive than the one last picked and
// measured. A drive that cannot be measured is judged by the last figure.
uint64_t FreeSpaceOfInstallDrive()
{
    const char root[] = {InstallDir[0], ':', '\\', '\0'};
    uint64_t freeBytes = FreeBytes;
    MeasureFreeSpace(root, &freeBytes);
    return freeBytes;
}

// The copy expands the payload and the side file before it installs them.
// When no drive has room for that besides the installation, the user is told
// now, before anything is copied, with the room the installation needs while
// it runs. (A temporary folder that cannot be used at all is the copy page's
// to tell, as it always was.)
bool RoomForTemporaries(HWND page)
{
    char tempFolder[kShortPathChars];
    wchar_t named[kShortPathChars];
    if (FindTempFolder(tempFolder, named) != TempFolderFound::Found)
        return true;
    const uint64_t tempBytes = TemporaryBytes();
    if (PlaceTemporariesNow(tempFolder, tempBytes) != TempPlace::NoRoom)
        return true;
    const double kMebibyte = 1048576.0;
    char elsewhere[kShortPathChars + 80] = "";
    if (!OnSameDrive(tempFolder, InstallDir))
        FormatInto(elsewhere, " The drive of the temporary folder %s has too little room for them.",
                   tempFolder);
    char text[1024];
    FormatInto(
        text,
        "You do not have enough Free disk space on this drive for installation. While it runs, the "
        "installation needs %.2f MB here: %.2f MB for its files and %.2f MB for temporary files, which "
        "it removes at the end.%s Change the drive or remove some other program-s to free more disk "
        "space.",
        static_cast<double>(RequiredBytes + tempBytes) / kMebibyte,
        static_cast<double>(RequiredBytes) / kMebibyte, static_cast<double>(tempBytes) / kMebibyte,
        elsewhere);
    MessageBoxA(page, text, kPageCaption, MB_OK | MB_ICONERROR);
    return false;
}

void OnNext(HWND page)
{
    if (const char *refusal = CheckSelection()) {
        MessageBoxA(page, refusal, kPageCaption, MB_OK | MB_ICONERROR);
        return;
    }
    // A target row the fix-up turns on is shown so if the page stays.
    ChangeSelection(page, FixUpAliases);
    if (!TakeInstallDir(page))
        return;
    if (RequiredBytes > FreeSpaceOfInstallDrive()) {
        MessageBoxA(page, NotEnoughSpaceText, kPageCaption, MB_OK | MB_ICONERROR);
        return;
    }
    if (!RoomForTemporaries(page))
        return;
    if (MakeDirectory(InstallDir)) {
        EndDialog(page, 0);
        return;
    }
    // Creation also fails when the directory is there already, which is the
    // one case worth continuing with: a previous installation.
    if (IsDirectory(InstallDir)) {
        if (MessageBoxA(page, kDirectoryExists, kPageCaption, MB_YESNO | MB_ICONQUESTION) == IDYES)
            EndDialog(page, 0);
        return;
    }
    char text[kPathChars + 128];
    FormatInto(text,
               "Cannot create the directory\n%s\nCheck that its parent folder exists and that you may "
               "write there.",
               InstallDir);
    MessageBoxA(page, text, kPageCaption, MB_OK | MB_ICONERROR);
    SetFocus(GetDlgItem(page, IDE_DIR_PATH));
}

int OnPageButton(HWND page, uint16_t id, uint32_t, LPARAM)
{
    if (id == IDOK)
        OnNext(page);
    else if (MessageBoxA(page, kCancelQuestion, kPageCaption, MB_YESNO | MB_ICONQUESTION) == IDYES)
        EndDialog(page, 1);
    return 0;
}

// The browser changes BaseFolder and InstallDirName whichever button closes
// it, so the proposal is always rebuilt from them.
int OnBrowse(HWND page, uint16_t, uint32_t, LPARAM)
{
    FolderBrowser(page);
    char rebuilt[kPathChars];
    if (ComposeInstallPath(rebuilt))
        CopyInto(InstallDir, rebuilt);
    else
        MessageBoxA(page, kBrowsedPathTooLong, kPageCaption, MB_OK | MB_ICONWARNING);
    SetDlgItemTextA(page, IDE_DIR_PATH, InstallDir);
    ShowSpaceText(page, IDT_DIR_SPACE);
    return 0;
}

const CommandEntry kPageCommands[] = {
    {IDOK, OnPageButton},
    {IDCANCEL, OnPageButton},
    {IDC_DIR_BROWSE, OnBrowse},
};
const CommandTable kPageCommandTable = MakeCommandTable(kPageCommands, DefaultNone);

const MessageEntry kPageMessages[] = {
    {WM_COMMAND, ForwardCommand<kPageCommandTable>},
    {WM_INITDIALOG, OnInitPage},
    {WM_DRAWITEM, OnDrawItem},
    {WM_NOTIFY, OnPageNotify},
    {WM_MEASUREITEM, OnMeasureItem},
    {WM_CONTEXTMENU, OnContextMenu},
};
const MessageTable kPageMessageTable = MakeMessageTable(kPageMessages, DefaultNone);

} // namespace

int RunOptionsPage(HWND owner)
{
    return static_cast<int>(
        DialogBoxParamA(AppInstance, "IDD_DIR", owner, TableDialogProc<kPageMessageTable>, 0));
}
