/* Planted beside the setup under the name of a DLL it loads: when loaded, it
   leaves "planted-NAME" (NAME its own file name) in the folder of the program
   that loaded it, and refuses to stay. */
#include <windows.h>
#include <string.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved)
{
    char module[MAX_PATH], marker[MAX_PATH + 16];
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    GetModuleFileNameA(self, module, MAX_PATH);
    const char *name = strrchr(module, '\\') ? strrchr(module, '\\') + 1 : module;
    GetModuleFileNameA(NULL, marker, MAX_PATH);
    char *folderEnd = strrchr(marker, '\\');
    lstrcpyA(folderEnd ? folderEnd + 1 : marker, "planted-");
    lstrcatA(marker, name);
    CloseHandle(CreateFileA(marker, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    return FALSE;
}
