/* Planted beside the setup under the name of a DLL it loads: once loaded, it
   leaves "planted-NAME" (NAME its own file name) in the folder of the program
   that loaded it, and refuses to stay. */
#include <windows.h>
#include <string.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved)
{
    char module[MAX_PATH], marker[2 * MAX_PATH];
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH || !GetModuleFileNameA(self, module, MAX_PATH) ||
        !GetModuleFileNameA(NULL, marker, MAX_PATH) || !strrchr(marker, '\\'))
        return TRUE;
    lstrcpyA(strrchr(marker, '\\') + 1, "planted-");
    lstrcatA(marker, strrchr(module, '\\') ? strrchr(module, '\\') + 1 : module);
    CloseHandle(CreateFileA(marker, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    return FALSE;
}
