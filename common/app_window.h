// Win32 half of the process-wide values: handles and the helpers that need them.
#pragma once
#include <windows.h>

extern HINSTANCE AppInstance;
extern HWND MainWindow;

// One directory, no parents, no report; 0 also when it already exists.
BOOL MakeDirectory(const char *path);
