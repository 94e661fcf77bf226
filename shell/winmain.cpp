#include "common/app_window.h"
#include "common/install_settings.h"
#include "resources/resource.h"
#include "shell/main_window.h"

#include <windows.h>

namespace
{

// The setup runs with administrator rights from a folder that anything may
// write into, so no DLL that is loaded by name later (by us or by the system's
// own DLLs) may come from there: only from the system folder. Systems that
// lack the call (before Windows 7 with its update) keep their search order.
void RestrictDllSearch()
{
    auto setDefaultDllDirectories =
        FindFunction<BOOL(WINAPI *)(DWORD)>(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (setDefaultDllDirectories)
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    RestrictDllSearch();
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
