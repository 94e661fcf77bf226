#include "options/folder_list.h"

#include "common/app_window.h"
#include "common/text.h"
#include "resources/resource.h"

#include <cstring>

int FolderImageIndex;
int UpImageIndex;
int NewFolderImageIndex;
int LastFolderRow;

namespace
{

const char kGoUpText[] = "........";
// Below these lengths a folder is the top of its listing and gets no go-up row:
// a drive root ("C:\") for the browser, the Start-menu programs folder for the chooser.
constexpr size_t kBrowserTopChars = 3;
constexpr size_t kChooserTopChars = 21;

int AddIcon(HIMAGELIST images, int id)
{
    return ImageList_ReplaceIcon(images, -1, LoadIconA(AppInstance, MAKEINTRESOURCEA(id)));
}

} // namespace

HIMAGELIST MakeFolderImages()
{
    HIMAGELIST images = ImageList_Create(16, 16, ILC_MASK, 3, 0);
    FolderImageIndex = AddIcon(images, IDI_FOLDER);
    UpImageIndex = AddIcon(images, IDI_FOLDER_UP);
    NewFolderImageIndex = AddIcon(images, IDI_FOLDER_NEW);
    return images;
}

void AddFolderRow(HWND list, const char *text, int position, int image)
{
    char shown[256];
    FormatInto(shown, "%.255s", text);
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = position;
    item.pszText = shown;
    item.iImage = image;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void FillFolderList(HWND dialog, HWND list, const char *path, FolderListMode mode)
{
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    int rows = 0;

    const size_t length = strlen(path);
    const bool belowTop = length > (mode == BrowserListing ? kBrowserTopChars : kChooserTopChars);
    if (belowTop)
        AddFolderRow(list, kGoUpText, rows++, UpImageIndex);
    // A drive root already ends in its backslash; every other folder needs one.
    const bool addSlash = belowTop || mode == StartMenuListing;

    char pattern[kPathChars];
    if (length <= static_cast<size_t>(kListedFolderChars) &&
        FormatInto(pattern, addSlash ? "%s\\*.*" : "%s*.*", path)) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(pattern, &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                // Files, "." and ".." stay out; hidden and system folders are listed.
                if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != '.')
                    AddFolderRow(list, found.cFileName, rows++, FolderImageIndex);
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
    }

    LastFolderRow = rows;
    AddFolderRow(list, InstallDirName, rows, NewFolderImageIndex);

    // A path too long for the buffer is shown as nothing rather than cut.
    FormatInto(MessageText, addSlash ? "%s\\%s" : "%s%s", path, InstallDirName);
    SetDlgItemTextA(dialog, mode == BrowserListing ? IDE_BROWSE_PATH : IDE_CHOOSER_PATH, MessageText);
}

bool ComposeInstallPath(char (&out)[kPathChars])
{
    const bool driveRoot = strlen(BaseFolder) <= kBrowserTopChars;
    return FormatInto(out, driveRoot ? "%s%s" : "%s\\%s", BaseFolder, InstallDirName);
}
