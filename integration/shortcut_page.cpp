// The last page: a shortcut on the all-users desktop and a folder of
// shortcuts in the all-users Start menu, then the two registrations, written
// on Finish and on a confirmed Cancel alike. Nothing here is reported to the
// user: a shortcut, folder or value that fails is simply missing.
#include "integration/shortcut_page.h"

#include "common/ansi_path.h"
#include "common/app_window.h"
#include "common/text.h"
#include "integration/registry.h"
#include "integration/shell_link.h"
#include "options/folder_list.h"
#include "resources/resource.h"
#include "shell/agreement_page.h"
#include "shell/dispatch.h"
#include "shell/pages.h"

#include <cstring>

namespace
{

const char kSubfolder[] = "Dunvo";
const char kCancelQuestion[] = "Are you want to cancel creating shortcuts ?";

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
    char linkPath[kPathChars];
    char targetPath[kPathChars];
    if (FormatInto(linkPath, "%s\\%s", folder, shortcut.LinkName) &&
        FormatInto(targetPath, "%s\\%s", InstallDir, shortcut.TargetName))
        CreateShellShortcut(targetPath, InstallDir, linkPath, shortcut.Description); // result ignored
}

void WriteDesktopShortcut()
{
    char desktop[260] = {};
    if (ReadShellFolderPath(desktop, "Common Desktop"))
        WriteShortcut(desktop, kApplicationShortcut);
}

// The folder is made first; it may exist from an earlier run.
void WriteStartMenuShortcuts(const char *folder)
{
    MakeDirectory(folder); // result ignored
    for (const Shortcut &shortcut : kStartMenuShortcuts)
        WriteShortcut(folder, shortcut);
}

// Quoted: the system runs the uninstall command as a command line, and an
// unquoted path with a blank in it could start another program. A text that
// does not fit is left empty, which the registration leaves out.
void RegisterApplication(const char *startMenuSubfolder)
{
    char uninstallCommand[kPathChars];
    FormatInto(uninstallCommand, "\"%s\\uninstall.exe\"", InstallDir);
    RegisterAppPath();
    RegisterUninstallEntry(uninstallCommand, startMenuSubfolder);
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

// Finish writes the chosen shortcuts; a confirmed Cancel writes none. Both
// register the application and close the page. The result is 1 only when the
// Start-menu shortcuts went into their folder, so that the sequence opens it.
int OnFinishOrCancel(HWND page, uint16_t id, uint32_t, LPARAM)
{
    if (id == IDCANCEL &&
        MessageBoxA(page, kCancelQuestion, "Confirmation", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return 0;
    const bool finish = id == IDOK;
    // From here on StartMenuFolder names our subfolder, for the shortcuts and
    // for "Scdir". One whose path does not fit is neither made nor registered.
    char subfolder[kPathChars];
    const bool named =
        JoinInto(subfolder, StartMenuFolder, kSubfolder) && CopyInto(StartMenuFolder, subfolder);
    if (finish && IsChecked(page, IDC_SHORTCUT_DESKTOP))
        WriteDesktopShortcut();
    int result = 0;
    if (finish && named && IsChecked(page, IDC_SHORTCUT_START_MENU)) {
        WriteStartMenuShortcuts(StartMenuFolder);
        CopyInto(LaunchFile, StartMenuFolder);
        result = 1;
    }
    RegisterApplication(named ? StartMenuFolder : "");
    EndDialog(page, result);
    return 0;
}

int OnChooseStartMenuFolder(HWND page, uint16_t, uint32_t, LPARAM)
{
    RunStartMenuChooser(page);
    char shown[kPathChars];
    JoinInto(shown, StartMenuFolder, kSubfolder);
    SetDlgItemTextA(page, IDE_SHORTCUT_FOLDER, shown);
    ShowEndOfPath(GetDlgItem(page, IDE_SHORTCUT_FOLDER));
    return 0;
}

const CommandEntry kShortcutCommands[] = {
    {IDOK, OnFinishOrCancel},
    {IDCANCEL, OnFinishOrCancel},
    {IDC_SHORTCUT_CHOOSE, OnChooseStartMenuFolder},
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
    HWND list = GetDlgItem(chooser, IDL_CHOOSER_FOLDERS);
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(MakeFolderImages()));
    FillFolderList(chooser, list, StartMenuFolder, StartMenuListing);
    ShowEndOfPath(GetDlgItem(chooser, IDE_CHOOSER_PATH));
    return 1;
}

int OnChooserNotify(HWND chooser, UINT, WPARAM, LPARAM lParam)
{
    const NMHDR *header = reinterpret_cast<const NMHDR *>(lParam);
    if (header->idFrom != IDL_CHOOSER_FOLDERS || header->code != NM_DBLCLK)
        return 0;
    FollowFolderRow(chooser, header->hwndFrom, StartMenuFolder, StartMenuListing);
    ShowEndOfPath(GetDlgItem(chooser, IDE_CHOOSER_PATH));
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
    return static_cast<int>(
        DialogBoxParamA(AppInstance, "IDD_SHORTCUT", owner, TableDialogProc<kShortcutMessageTable>, 0));
}

void RunStartMenuChooser(HWND owner)
{
    DialogBoxParamA(AppInstance, "IDD_BROWSE_SHORTCUT", owner, TableDialogProc<kChooserMessageTable>,
                    0); // the outcome is StartMenuFolder
}
