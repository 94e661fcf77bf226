#include "shell/main_window.h"

#include "common/ansi_path.h"
#include "common/app_window.h"
#include "common/install_settings.h"
#include "common/text.h"
#include "payload/side_file.h"
#include "shell/backdrop.h"
#include "shell/dispatch.h"
#include "shell/pages.h"

#include <cstring>

int ScreenWidth;
int ScreenHeight;
int ScreenBitsPerPixel;
HFONT TitleFont;
HBITMAP BackdropBitmap;

namespace {

const char kSetupCaption[] = "Dunvo - Setup";
const char kCancelText[] =
    "Setup was canceled. Any notes or errors you can send on my email: setup@dunvo.org";

int OnCreate(HWND window, UINT, WPARAM, LPARAM)
{
    HDC dc = GetDC(window);
    ScreenWidth = GetDeviceCaps(dc, HORZRES);
    ScreenHeight = GetDeviceCaps(dc, VERTRES);
    ScreenBitsPerPixel = GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(window, dc);

    TitleFont = MakeFont(FW_NORMAL, 0, ScaleToScreen(72), DEFAULT_CHARSET, "Arial Black");
    // The window still has zero size here, so the capture does not show it.
    BackdropBitmap = BuildBackdrop(window);
    SetWindowPos(window, nullptr, 0, 0, ScreenWidth, ScreenHeight, SWP_NOZORDER | SWP_NOACTIVATE);

    RecordSourceDir();
    PostMessageA(window, WM_COMMAND, CMD_RUN_PAGES, 0);
    return 0;
}

int OnDestroy(HWND, UINT, WPARAM, LPARAM)
{
    PostQuitMessage(0);
    return 0;
}

int OnClose(HWND window, uint16_t, uint32_t, LPARAM)
{
    DestroyWindow(window);
    return 0;
}

const CommandEntry kMainCommands[] = {
    {CMD_RUN_PAGES, RunPageSequence},
    {CMD_CLOSE, OnClose},
};
const CommandTable kMainCommandTable = MakeCommandTable(kMainCommands, DefaultWindow);

const MessageEntry kMainMessages[] = {
    {WM_CREATE, OnCreate},
    {WM_COMMAND, ForwardCommand<kMainCommandTable>},
    {WM_DESTROY, OnDestroy},
    {WM_PAINT, OnBackdropPaint},
};
const MessageTable kMainMessageTable = MakeMessageTable(kMainMessages, DefaultWindow);

} // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DispatchMessageTable(kMainMessageTable, window, message, wParam, lParam);
}

void TrimRootDirectory(char *directory)
{
    if (strlen(directory) < 4)
        directory[2] = '\0';
}

void RecordSourceDir()
{
    memset(SourceDir, 0, sizeof SourceDir);
    // A directory that does not fit the 500 characters stays empty: the call
    // then returns the size it needs.
    wchar_t wide[500];
    TakeSystemPath(SourceDir, wide, GetCurrentDirectoryW(500, wide));
    TrimRootDirectory(SourceDir);
}

int RunPageSequence(HWND window, uint16_t, uint32_t, LPARAM)
{
    bool completed = RunAgreementPage(window) == 0;
    // A side file that did not arrive whole is told before anything is chosen.
    if (completed)
        FindSideFile(window);
    completed = completed && RunOptionsPage(window) == 0 && RunCopyPage(window) == 0;
    if (completed) {
        int shortcuts = RunShortcutPage(window);
        FormatInto(MessageText, "%s was successfully %s", "Dunvo", "installed");
        MessageBoxA(window, MessageText, kSetupCaption, MB_OK | MB_ICONINFORMATION);
        if (shortcuts == 1)
            ShellExecuteA(nullptr, nullptr, LaunchFile, nullptr, nullptr, SW_SHOWNA); // result ignored
    } else {
        MessageBoxA(window, kCancelText, kSetupCaption, MB_OK | MB_ICONWARNING);
    }
    DestroyWindow(window);
    return 0;
}
