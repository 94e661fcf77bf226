#include "common/app_window.h"

#include "resources/resource.h"

HINSTANCE AppInstance;
HWND MainWindow;

PayloadStream FindPayload()
{
    HRSRC found = FindResourceA(AppInstance, MAKEINTRESOURCEA(IDR_PAYLOAD), RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(AppInstance, found) : nullptr;
    const auto *bytes = loaded ? static_cast<const unsigned char *>(LockResource(loaded)) : nullptr;
    return {bytes, bytes ? SizeofResource(AppInstance, found) : 0};
}

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
