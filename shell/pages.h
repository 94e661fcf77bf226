// The four pages of the setup, in the order the main window runs them. Each
// takes the owner window and returns its EndDialog value (-1 when the dialog
// could not be created).
#pragma once
#include <windows.h>

int RunAgreementPage(HWND owner); // 0 accepted, else cancel
int RunOptionsPage(HWND owner);   // 0 choices accepted and directory made
int RunCopyPage(HWND owner);      // 0 files installed
int RunShortcutPage(HWND owner);  // 1 when LaunchFile names a folder to open
