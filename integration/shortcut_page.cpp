// The last page: a shortcut on the all-users desktop and a folder of
// shortcuts in the all-users Start menu, then the two registrations, written
// on Finish and on a confirmed Cancel alike. Nothing here is reported to the
// user: a shortcut, folder or value that fails is simply missing.
#include "integration/shortcut_page.h"

#include "common/app_window.h"
#include "common/text.h"
#include "integration/registry.h"
#include "integration/shell_link.h"
#include "options/folder_list.h"
#include "resources/resource.h"
#include "shell/agreement_page.h"
#include "shell/dispatch.h"
#include "shell/pages.h"

#include <commctrl.h>

#include <cstring>

char LinkPathScratch[kPathChars];
char TargetPathScratch[kPathChars];
HWND ChooserPathEdit;
HWND ChooserFolderList;

namespace
{

const char kSubfolder[] = "Dunvo";
const char kCancelQuestion[] = "Are you want to cancel creating shortcuts ?";
// The text of the listing's go-up row; no folder can carry this name.
const char kGoUpRowText[] = "........";

struct Shortcut {
    const char *LinkName;
    const char *TargetName; // in InstallDir
    const char *Description;
};
const Shortcut kApplicationShortcut = {"Dunvo.lnk", "Dunvo.exe", "Dunvo"};
const Shortcut kStartMenuShortcuts[] = {
    kApplicationShortcut,
    {"Uninstall.lnk", "uninstall.exe", "Uninstall"},
    {"Readme.lnk", "Readme.rtf", "Readme"},
};

// A shortcut whose link or target path does not fit is not written at all.
void WriteShortcut(const char *folder, const Shortcut &shortcut)
{
    if (FormatInto(LinkPathScratch, "%s\\%s", folder, shortcut.LinkName) &&
        FormatInto(TargetPathScratch, "%s\\%s", InstallDir, shortcut.TargetName))
        CreateShellShortcut(TargetPathScratch, LinkPathScratch, shortcut.Description); // result ignored
}

// StartMenuFolder becomes our subfolder: a backslash unless it already ends
// in one, then "Dunvo". False, and the folder unchanged, when that does not
// fit; then no Start-menu shortcut or "Scdir" is written rather than a cut path.
bool NameStartMenuSubfolder()
{
    const size_t length = strlen(StartMenuFolder);
    const bool endsInSlash = length > 0 && StartMenuFolder[length - 1] == '\\';
    char subfolder[kPathChars];
    if (!FormatInto(subfolder, endsInSlash ? "%s%s" : "%s\\%s", StartMenuFolder, kSubfolder))
        return false;
    return CopyInto(StartMenuFolder, subfolder);
}

// A long folder is shown by its end, which tells where the shortcuts go.
void ShowEndOfPath(HWND edit)
{
    const int length = GetWindowTextLengthA(edit);
    SendMessageA(edit, EM_SETSEL, length, length);
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
}

bool IsChecked(HWND page, int box)
{
    return SendDlgItemMessageA(page, box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int OnInitShortcutPage(HWND page, UINT, WPARAM, LPARAM)
{
    memset(StartMenuFolder, 0, sizeof StartMenuFolder);
    if (!ReadShellFolderPath(StartMenuFolder, "Common Programs"))
        CopyInto(StartMenuFolder, "C:");
    SetDlgItemTextA(page, IDE_SHORTCUT_FOLDER, StartMenuFolder);
    ShowEndOfPath(GetDlgItem(page, IDE_SHORTCUT_FOLDER));
    SendDlgItemMessageA(page, IDC_SHORTCUT_START_MENU, BM_SETCHECK, BST_CHECKED, 0);
    SendDlgItemMessageA(page, IDC_SHORTCUT_DESKTOP, BM_SETCHECK, BST_UNCHECKED, 0);
    return 1;
}

// Finish writes the chosen shortcuts; Cancel asks first. Both then register
// the application and close the page. The result is 1 only when the
// Start-menu shortcuts went into their folder, so that the sequence opens it.
int OnFinishOrCancel(HWND page, uint16_t id, uint32_t, LPARAM)
{
    int answer = IDYES;
    int result = 0;
    bool subfolderNamed = false;
    if (id == IDCANCEL) {
        answer = MessageBoxA(page, kCancelQuestion, "Confirmation", MB_YESNO | MB_ICONQUESTION);
    } else {
        if (IsChecked(page, IDC_SHORTCUT_DESKTOP)) {
            char desktop[260];
            memset(desktop, 0, sizeof desktop);
            if (ReadShellFolderPath(desktop, "Common Desktop"))
                WriteShortcut(desktop, kApplicationShortcut);
        }
        if (IsChecked(page, IDC_SHORTCUT_START_MENU) && (subfolderNamed = NameStartMenuSubfolder())) {
            MakeDirectory(StartMenuFolder); // result ignored: it may exist from an earlier run
            for (const Shortcut &shortcut : kStartMenuShortcuts)
                WriteShortcut(StartMenuFolder, shortcut);
            CopyInto(LaunchFile, StartMenuFolder);
            result = 1;
        }
    }
    if (answer != IDYES)
        return 0;
    if (result == 0)
        subfolderNamed = NameStartMenuSubfolder();

    RegisterAppPath();
    // Quoted: the system runs this as a command line, and an unquoted path
    // with a blank in it could start another program.
    memset(TargetPathScratch, 0, sizeof TargetPathScratch);
    FormatInto(TargetPathScratch, "\"%s\\uninstall.exe\"", InstallDir);
    RegisterUninstallEntry(TargetPathScratch, subfolderNamed ? StartMenuFolder : "");
    EndDialog(page, result);
    return 0;
}

int OnChooseStartMenuFolder(HWND page, uint16_t, uint32_t, LPARAM)
{
    RunStartMenuChooser(page);
    FormatInto(LinkPathScratch, "%s\\%s", StartMenuFolder, kSubfolder);
    SetDlgItemTextA(page, IDE_SHORTCUT_FOLDER, LinkPathScratch);
    ShowEndOfPath(GetDlgItem(page, IDE_SHORTCUT_FOLDER));
    return 0;
}

const CommandEntry kShortcutCommands[] = {
    {IDOK, OnFinishOrCancel},
    {IDCANCEL, OnFinishOrCancel},
    {IDB_SHORTCUT_CHOOSE, OnChooseStartMenuFolder},
};
const CommandTable kShortcutCommandTable = MakeCommandTable(kShortcutCommands, DefaultNone);

const MessageEntry kShortcutMessages[] = {
    {WM_COMMAND, ForwardCommand<kShortcutCommandTable>},
    {WM_INITDIALOG, OnInitShortcutPage},
    {WM_PAINT, PagePainter},
};
const MessageTable kShortcutMessageTable = MakeMessageTable(kShortcutMessages, DefaultNone);

// The chooser works on StartMenuFolder in place: every double-click moves it
// and lists it anew, so there is nothing to commit on OK or undo on Cancel.
int OnInitChooser(HWND chooser, UINT, WPARAM, LPARAM)
{
    ChooserPathEdit = GetDlgItem(chooser, IDE_CHOOSER_PATH);
    ChooserFolderList = GetDlgItem(chooser, IDL_CHOOSER_FOLDERS);
    SendMessageA(ChooserFolderList, LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(MakeFolderImages()));
    FillFolderList(chooser, ChooserFolderList, StartMenuFolder, StartMenuListing);
    ShowEndOfPath(ChooserPathEdit);
    return 1;
}

void GoUp()
{
    char *slash = strrchr(StartMenuFolder, '\\');
    if (slash)
        *slash = '\0';
}

// A folder whose path would no longer fit the listing is not entered.
void GoDown(const char *name)
{
    char below[kPathChars];
    if (FormatInto(below, "%s\\%s", StartMenuFolder, name) &&
        strlen(below) <= static_cast<size_t>(kListedFolderChars))
        CopyInto(StartMenuFolder, below);
}

// The go-up row is recognised by its text, not by its place: a folder whose
// name sorts before "........" can take the first row and must still be entered.
int OnChooserNotify(HWND chooser, UINT, WPARAM, LPARAM lParam)
{
    const NMHDR *header = reinterpret_cast<const NMHDR *>(lParam);
    if (header->hwndFrom != ChooserFolderList || header->code != NM_DBLCLK)
        return 0;
    const int row = static_cast<int>(SendMessageA(ChooserFolderList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                  MAKELPARAM(LVNI_SELECTED, 0)));
    if (row >= 0 && row <= LastFolderRow) {
        char text[256] = "";
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        if (SendMessageA(ChooserFolderList, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) {
            if (strcmp(text, kGoUpRowText) == 0)
                GoUp();
            else
                GoDown(text);
        }
    }
    FillFolderList(chooser, ChooserFolderList, StartMenuFolder, StartMenuListing);
    ShowEndOfPath(ChooserPathEdit);
    return 0;
}

int OnCloseChooser(HWND chooser, uint16_t, uint32_t, LPARAM)
{
    EndDialog(chooser, 0);
    return 1;
}

const CommandEntry kChooserCommands[] = {
    {IDOK, OnCloseChooser},
    {IDCANCEL, OnCloseChooser},
};
const CommandTable kChooserCommandTable = MakeCommandTable(kChooserCommands, DefaultNone);

const MessageEntry kChooserMessages[] = {
    {WM_COMMAND, ForwardCommand<kChooserCommandTable>},
    {WM_INITDIALOG, OnInitChooser},
    {WM_NOTIFY, OnChooserNotify},
};
const MessageTable kChooserMessageTable = MakeMessageTable(kChooserMessages, DefaultNone);

} // namespace

int RunShortcutPage(HWND owner)
{
    return static_cast<int>(DialogBoxParamA(AppInstance, "IDD_SHORTCUT", owner, TableDialogProc<kShortcutMessageTable>, 0));
}

void RunStartMenuChooser(HWND owner)
{
    DialogBoxParamA(AppInstance, "IDD_BROWSE_SHORTCUT", owner, TableDialogProc<kChooserMessageTable>,
                    0); // the outcome is StartMenuFolder
}
