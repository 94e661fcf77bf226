// The folder listing of the folder browser and the Start-menu folder chooser:
// the subfolders of one folder, a row to go up, and a green row for the
// directory that the setup will create; and the walk through it by
// double-clicks.
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

// The name the directory to be created has until the user types another.
constexpr char kDefaultDirectoryName[] = "Dunvo";

// What differs between the two walks: the top each may not leave (a drive's
// root for the browser, the Start-menu programs folder for the chooser), the
// control that shows the resulting path, and whether the green row can be
// entered while it still has the setup's own name (only in the chooser).
enum FolderListMode {
    BrowserListing = 0,
    StartMenuListing = 1,
};

// An image list with icons 201 to 203, 16x16 at 96 dots per inch, which sets
// the three indices. The list view it is given to owns it.
HIMAGELIST MakeFolderImages();

// Lists the subfolders of `path` into `list` and shows the resulting path
// (path, backslash, InstallDirName) in the dialog's path control. A path that
// is too long to be listed gives no folder rows.
void FillFolderList(HWND dialog, HWND list, const char *path, FolderListMode mode);

// A double-click in `list`: the go-up row moves `folder` one level up, any
// other row into that row's folder, and the folder is listed anew. A folder
// whose path would no longer fit a listing is not entered (a beep says so).
void FollowFolderRow(HWND dialog, HWND list, char (&folder)[kPathChars], FolderListMode mode);

// InstallDirName in BaseFolder: the directory the options page creates.
// False, and `out` empty, when the whole path does not fit.
bool ComposeInstallPath(char (&out)[kPathChars]);
