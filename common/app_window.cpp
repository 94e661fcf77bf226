#include "common/app_window.h"

HINSTANCE AppInstance;
HWND MainWindow;

BOOL MakeDirectory(const char *path)
{
    SECURITY_ATTRIBUTES attributes;
    attributes.nLength = sizeof attributes;
    attributes.lpSecurityDescriptor = nullptr;
    attributes.bInheritHandle = TRUE;
    return CreateDirectoryA(path, &attributes);
}
