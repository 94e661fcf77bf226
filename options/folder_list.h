// The folder listing of the folder browser and the Start-menu folder chooser:
// the subfolders of one folder, a row to go up, and a green row for the
// directory that the setup will create.
#pragma once
#include <windows.h>

#include "common/install_settings.h"

#include <commctrl.h>

// Image-list positions of the three row pictures, set by MakeFolderImages.
extern int FolderImageIndex;    // an existing folder (icon 201)
extern int UpImageIndex;        // the go-up row "........" (icon 202)
extern int NewFolderImageIndex; // the directory still to be created (icon 203)
// Rows inserted before the new-directory row by the last listing.
extern int LastFolderRow;

enum FolderListMode {
    BrowserListing = 0,   // the folder browser: a go-up row below a drive root
    StartMenuListing = 1, // the Start-menu chooser: a go-up row below its own top folder
};

// The longest folder that may be listed: the listing appends a pattern of up
// to 4 characters ("\*.*") to it in a path buffer.
constexpr int kListedFolderChars = kPathChars - 1 - 4;

// A 16x16 image list with icons 201 to 203, which sets the three indices. The
// list view it is given to owns it.
HIMAGELIST MakeFolderImages();

// One row: at most 255 characters of `text` with picture `image`, inserted at
// `position` (the list may sort it elsewhere).
void AddFolderRow(HWND list, const char *text, int position, int image);

// Lists the subfolders of `path` into `list` and shows the resulting path
// (path, backslash, InstallDirName) in the dialog's path control. A path that
// is too long to be listed gives no folder rows.
void FillFolderList(HWND dialog, HWND list, const char *path, FolderListMode mode);

// InstallDirName in BaseFolder: the directory the options page creates.
// False, and `out` empty, when the whole path does not fit.
bool ComposeInstallPath(char (&out)[kPathChars]);
