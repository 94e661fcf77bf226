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

int ScaleToScreen(int pixels)
{
    static const int dotsPerInch = [] {
        HDC screen = GetDC(nullptr);
        const int dots = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen)
            ReleaseDC(nullptr, screen);
        return dots > 0 ? dots : USER_DEFAULT_SCREEN_DPI;
    }();
    return MulDiv(pixels, dotsPerInch, USER_DEFAULT_SCREEN_DPI);
}
