// The folder browser of the options page: a drive box, the folder list with
// the green row of the directory to be created, and that directory's name.
// Every change goes straight into BaseFolder, CurrentDrive, FreeBytes and
// InstallDirName; there is nothing to commit or roll back.
#include "common/app_window.h"
#include "common/install_settings.h"
#include "common/text.h"
#include "options/drives.h"
#include "options/folder_list.h"
#include "options/options_page.h"
#include "resources/resource.h"
#include "shell/dispatch.h"

#include <cstring>

namespace
{

constexpr size_t kLongestName = 99;

HWND BrowserNameEdit;
HWND BrowserFolderList;
HWND BrowserDriveCombo;
// Set while the browser itself puts a name back into edit 105, so that its
// own update notification is not taken for typing.
int NameEditGuard;

int OnInitBrowser(HWND browser, UINT, WPARAM, LPARAM)
{
    BrowserNameEdit = GetDlgItem(browser, IDE_BROWSE_NAME);
    BrowserFolderList = GetDlgItem(browser, IDL_BROWSE_FOLDERS);
    BrowserDriveCombo = GetDlgItem(browser, IDC_BROWSE_DRIVES);
    for (int drive = 0; drive < DriveCount; ++drive) {
        if (DriveTable[drive][0] == '\0')
            continue;
        const LRESULT item =
            SendMessageA(BrowserDriveCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DriveTable[drive]));
        SendMessageA(BrowserDriveCombo, CB_SETITEMDATA, item, drive);
    }
    SendMessageA(BrowserDriveCombo, CB_SETCURSEL, CurrentDrive, 0);
    ShowSpaceText(browser, IDT_BROWSE_SPACE);
    SendMessageA(BrowserFolderList, LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(MakeFolderImages()));
    FillFolderList(browser, BrowserFolderList, BaseFolder, BrowserListing);
    // The edit's update notification takes the name into InstallDirName.
    SetWindowTextA(BrowserNameEdit, kDefaultDirectoryName);
    return 1;
}

// The name follows the edit as the user types; a 100th character is refused
// by putting the last accepted name back.
int OnNameEdit(HWND, uint16_t, uint32_t code, LPARAM)
{
    if (code != EN_UPDATE || NameEditGuard)
        return 1;
    char typed[kPathChars];
    GetWindowTextA(BrowserNameEdit, typed, kPathChars);
    if (strlen(typed) <= kLongestName) {
        CopyInto(InstallDirName, typed);
        return 1;
    }
    NameEditGuard = 1;
    SetWindowTextA(BrowserNameEdit, InstallDirName);
    MessageBeep(0xFFFFFFFF);
    NameEditGuard = 0;
    return 1;
}

int OnDriveBox(HWND browser, uint16_t, uint32_t code, LPARAM)
{
    if (code != CBN_SELENDOK)
        return 0;
    const LRESULT item = SendMessageA(BrowserDriveCombo, CB_GETCURSEL, 0, 0);
    if (item == CB_ERR)
        return 0;
    const LRESULT drive = SendMessageA(BrowserDriveCombo, CB_GETITEMDATA, item, 0);
    if (drive < 0 || drive >= DriveCount)
        return 0;
    CurrentDrive = static_cast<int32_t>(drive);
    CopyInto(BaseFolder, DriveTable[drive]);
    FillFolderList(browser, BrowserFolderList, BaseFolder, BrowserListing);
    QueryFreeSpace(CurrentDrive);
    ShowSpaceText(browser, IDT_BROWSE_SPACE);
    return 0;
}

int OnBrowserNotify(HWND browser, UINT, WPARAM, LPARAM lParam)
{
    const auto *header = reinterpret_cast<const NMHDR *>(lParam);
    if (header->idFrom == IDL_BROWSE_FOLDERS && header->code == NM_DBLCLK)
        FollowFolderRow(browser, BrowserFolderList, BaseFolder, BrowserListing);
    return 0;
}

int OnBrowserButton(HWND browser, uint16_t id, uint32_t, LPARAM)
{
    if (id == IDCANCEL) {
        EndDialog(browser, 0);
        return 1;
    }
    GetWindowTextA(BrowserNameEdit, InstallDirName, kLongestName + 1);
    if (InstallDirName[0] == '\0') {
        MessageBoxA(browser, "You forget to select a directory", "Warning", MB_OK | MB_ICONWARNING);
        SetFocus(BrowserNameEdit);
        return 1;
    }
    if (RequiredBytes > FreeBytes) {
        // Either answer stays: the question only asks the user to pick another drive.
        MessageBoxA(browser, NotEnoughSpaceText, nullptr, MB_YESNO | MB_ICONERROR);
        return 0;
    }
    EndDialog(browser, 0);
    return 1;
}

const CommandEntry kBrowserCommands[] = {
    {IDOK, OnBrowserButton},
    {IDCANCEL, OnBrowserButton},
    {IDE_BROWSE_NAME, OnNameEdit},
    {IDC_BROWSE_DRIVES, OnDriveBox},
};
const CommandTable kBrowserCommandTable = MakeCommandTable(kBrowserCommands, DefaultNone);

const MessageEntry kBrowserMessages[] = {
    {WM_COMMAND, ForwardCommand<kBrowserCommandTable>},
    {WM_INITDIALOG, OnInitBrowser},
    {WM_NOTIFY, OnBrowserNotify},
};
const MessageTable kBrowserMessageTable = MakeMessageTable(kBrowserMessages, DefaultNone);

} // namespace

void FolderBrowser(HWND owner)
{
    DialogBoxParamA(AppInstance, "IDD_BROWSE", owner, TableDialogProc<kBrowserMessageTable>, 0); // always 0: nothing to read
}
