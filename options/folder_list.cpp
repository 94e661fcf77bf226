#include "options/folder_list.h"

#include "common/ansi_path.h"
#include "common/app_window.h"
#include "common/common_controls.h"
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
// The listing appends a pattern of up to 4 characters ("\*.*") to the folder.
constexpr size_t kListedFolderChars = kPathChars - 1 - 4;

// A folder no longer than this is the top of its listing and gets no go-up row.
size_t TopChars(FolderListMode mode)
{
    return mode == BrowserListing ? 3 : 21;
}

// The icon at the list's size: the rows grow with the screen's dots per inch.
int AddIcon(HIMAGELIST images, int id, int size)
{
    auto icon = static_cast<HICON>(LoadImageA(AppInstance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
    const int index = AddImageListIcon(images, icon);
    if (icon)
        DestroyIcon(icon); // the list keeps its own copy
    return index;
}

// One row: at most 255 characters of `text` with picture `image`, inserted at
// `position` (the list sorts it by its text).
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

// C:\Programs\Tools becomes C:\Programs, and C:\Programs becomes C:\ (the
// root keeps its backslash).
void GoUp(char *folder)
{
    const char *slash = LastBackslash(folder);
    if (!slash)
        return;
    const ptrdiff_t at = slash - folder;
    folder[at <= 3 ? at + 1 : at] = '\0';
}

bool GoDown(char (&folder)[kPathChars], const char *name)
{
    char deeper[kPathChars];
    if (!JoinInto(deeper, folder, name) || strlen(deeper) > kListedFolderChars)
        return false;
    return CopyInto(folder, deeper);
}

} // namespace

HIMAGELIST MakeFolderImages()
{
    const int size = ScaleToScreen(16);
    HIMAGELIST images = CreateImageList(size, size, ILC_MASK, 3, 0);
    FolderImageIndex = AddIcon(images, IDI_FOLDER, size);
    UpImageIndex = AddIcon(images, IDI_FOLDER_UP, size);
    NewFolderImageIndex = AddIcon(images, IDI_FOLDER_NEW, size);
    return images;
}

void FillFolderList(HWND dialog, HWND list, const char *path, FolderListMode mode)
{
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    int rows = 0;
    if (strlen(path) > TopChars(mode))
        AddFolderRow(list, kGoUpText, rows++, UpImageIndex);

    char pattern[kPathChars];
    if (strlen(path) <= kListedFolderChars && JoinInto(pattern, path, "*.*")) {
        wchar_t widePattern[kPathChars];
        WIN32_FIND_DATAW found;
        char name[MAX_PATH];
        HANDLE search = MultiByteToWideChar(CP_ACP, 0, pattern, -1, widePattern, kPathChars)
                            ? FindFirstFileW(widePattern, &found)
                            : INVALID_HANDLE_VALUE;
        if (search != INVALID_HANDLE_VALUE) {
            do {
                // Files, "." and ".." stay out; hidden and system folders are
                // listed, a folder whose name the code page cannot spell by
                // its short name.
                if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != L'.' &&
                    TakeFileName(name, sizeof name, found))
                    AddFolderRow(list, name, rows++, FolderImageIndex);
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
    }

    LastFolderRow = rows;
    AddFolderRow(list, InstallDirName, rows, NewFolderImageIndex);

    // A path too long for the buffer is shown as nothing rather than cut.
    char shown[kPathChars];
    JoinInto(shown, path, InstallDirName);
    SetDlgItemTextA(dialog, mode == BrowserListing ? IDE_BROWSE_PATH : IDE_CHOOSER_PATH, shown);
}

// Rows are told apart by their pictures, not their places: the list sorts
// them, so a folder whose name sorts before "........" may stand where the
// go-up row usually is.
void FollowFolderRow(HWND dialog, HWND list, char (&folder)[kPathChars], FolderListMode mode)
{
    char text[256];
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem =
        static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (item.iItem < 0 || item.iItem > LastFolderRow ||
        !SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return;
    const bool unnamedGreenRow = mode == BrowserListing && item.iImage == NewFolderImageIndex &&
                                 lstrcmpiA(text, kDefaultDirectoryName) == 0;
    if (unnamedGreenRow)
        return;
    if (item.iImage == UpImageIndex)
        GoUp(folder);
    else if (!GoDown(folder, text))
        MessageBeep(0xFFFFFFFF);
    FillFolderList(dialog, list, folder, mode);
}

bool ComposeInstallPath(char (&out)[kPathChars])
{
    return JoinInto(out, BaseFolder, InstallDirName);
}
