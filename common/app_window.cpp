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

namespace
{
int ScreenDotsPerInch; // 0 until the first call
} // namespace

int ScaleToScreen(int pixels)
{
    if (!ScreenDotsPerInch) {
        HDC screen = GetDC(nullptr);
        ScreenDotsPerInch = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen)
            ReleaseDC(nullptr, screen);
        if (ScreenDotsPerInch <= 0)
            ScreenDotsPerInch = USER_DEFAULT_SCREEN_DPI;
    }
    return MulDiv(pixels, ScreenDotsPerInch, USER_DEFAULT_SCREEN_DPI);
}
