#include "common/app_window.h"
#include "common/common_controls.h"
#include "common/install_settings.h"
#include "resources/resource.h"
#include "shell/main_window.h"

#include <windows.h>

namespace
{

// The setup runs with administrator rights from a folder that anything may
// write into, so no DLL that is loaded by name later (by us or by the system's
// own DLLs) may come from there: only from the system folder. Where that call
// is missing (Windows 7 without its update), the setup's folder, which is the
// current directory at start, is at least taken out of the search.
void RestrictDllSearch()
{
    auto setDefaultDllDirectories =
        FindFunction<BOOL(WINAPI *)(DWORD)>(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (!setDefaultDllDirectories || !setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        SetDllDirectoryA(""); // result ignored: nothing better is left to try
}

// Users start the setup again when the first does not show at once (the
// elevation prompt, a slow disk); two setups would copy into one folder and
// find each other's files in use. The name is in the session's own namespace:
// the second start can bring forward only a window of its own session, and a
// user of another session should not be turned away by a setup they cannot
// see. A mutex whose DACL shuts us out exists too. The handle is never
// closed: the mutex is held until this process ends.
bool AnotherSetupRuns()
{
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, "Local\\Dunvo Setup");
    const DWORD error = GetLastError();
    return mutex ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
}

// The first setup's current page (or the box it shows) to the front. The
// user has just started this process, so it may set the foreground. The
// first may still be making its window: it is looked for a few seconds.
void BringFirstSetupForward(HINSTANCE instance)
{
    LoadStringA(instance, IDS_SETUP_NAME, SetupName, sizeof SetupName);
    HWND first = nullptr;
    for (int tries = 0; tries < 50 && !(first = FindWindowA(SetupName, SetupName)); ++tries)
        Sleep(100);
    if (first)
        SetForegroundWindow(GetLastActivePopup(first)); // result ignored: nothing more to try
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (AnotherSetupRuns()) {
        BringFirstSetupForward(instance);
        return 0;
    }
    RestrictDllSearch();
    // Listing the drives and measuring one may touch an empty card reader or
    // optical drive: such a drive simply has no space, without the system's
    // "There is no disk in the drive" box in the middle of the options page.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // The options page's template names list views: their class must exist
    // before the first page is created, not from its WM_INITDIALOG on.
    LoadCommonControls(); // result ignored: without it that page fails to open, as told there
    LoadStringA(instance, IDS_SETUP_NAME, SetupName, sizeof SetupName);
    AppInstance = instance;

    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SETUP));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENUTEXT + 1);
    windowClass.lpszMenuName = SetupName;
    windowClass.lpszClassName = SetupName;
    if (!RegisterClassA(&windowClass) && !RegisterClassA(&windowClass)) // one silent retry
        return 0;

    MainWindow = CreateWindowExA(0, SetupName, SetupName, WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, nullptr, nullptr,
                                 instance, nullptr);
    if (!MainWindow)
        return 0;
    UpdateWindow(MainWindow);

    // No accelerator table is shipped; the lookup is kept so one can be added.
    HACCEL accelerators = LoadAcceleratorsA(instance, SetupName);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0)) {
        if (!TranslateAcceleratorA(message.hwnd, accelerators, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
