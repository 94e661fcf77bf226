// The options page (IDD_DIR) and its folder browser (IDD_BROWSE). The page
// sequence runs the page through RunOptionsPage (shell/pages.h).
#pragma once
#include <windows.h>

// Runs the browser modally over `owner`. It works on BaseFolder, CurrentDrive,
// FreeBytes and InstallDirName directly, so both of its buttons keep the changes.
void FolderBrowser(HWND owner);

// Shown by the page's Next and the browser's OK when the drive is too small.
extern const char NotEnoughSpaceText[];
