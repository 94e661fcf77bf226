#include "common/file_write.h"

#include <windows.h>

#include <restartmanager.h>

#include <cstring>
#include <type_traits>

namespace
{

// A file that another program has open without sharing it for writing, or
// the image of a program that runs: error 32, or 5 on some systems.
bool HeldByAnother(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

constexpr DWORD kHeldFilePauseMilliseconds = 250;
constexpr DWORD kKeepAliveSliceMilliseconds = 50;

// The Restart Manager (Vista and later) is looked up, not imported, so that
// the setup still starts where there is none; and only from the system
// folder, never from the folder the setup was downloaded into.
struct RestartManager {
    HMODULE Module;
    DWORD(WINAPI *StartSession)(DWORD *, DWORD, WCHAR *);
    DWORD(WINAPI *RegisterResources)(DWORD, UINT, LPCWSTR *, UINT, RM_UNIQUE_PROCESS *, UINT, LPCWSTR *);
    DWORD(WINAPI *GetList)(DWORD, UINT *, UINT *, RM_PROCESS_INFO *, LPDWORD);
    DWORD(WINAPI *EndSession)(DWORD);
};

bool LoadRestartManager(RestartManager *rm)
{
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + wcslen(L"\\rstrtmgr.dll") >= MAX_PATH)
        return false;
    wcscat(path, L"\\rstrtmgr.dll");
    rm->Module = LoadLibraryW(path);
    if (!rm->Module)
        return false;
    const auto find = [&](auto &function, const char *name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
            reinterpret_cast<void (*)()>(GetProcAddress(rm->Module, name)));
        return function != nullptr;
    };
    if (find(rm->StartSession, "RmStartSession") && find(rm->RegisterResources, "RmRegisterResources") &&
        find(rm->GetList, "RmGetList") && find(rm->EndSession, "RmEndSession"))
        return true;
    FreeLibrary(rm->Module);
    return false;
}

// The first program the Restart Manager lists as holding `path`, in the code
// page; false when it lists none, or only a name the code page cannot spell.
bool AskRestartManager(const RestartManager &rm, const char *path, char *name, size_t capacity)
{
    wchar_t widePath[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH))
        return false;
    DWORD session;
    WCHAR key[CCH_RM_SESSION_KEY + 1] = {};
    if (rm.StartSession(&session, 0, key) != ERROR_SUCCESS)
        return false;
    LPCWSTR files[] = {widePath};
    // A few programs at most hold one file; more than fit here are told as "another program".
    RM_PROCESS_INFO holders[4];
    UINT needed = 0, count = sizeof holders / sizeof holders[0];
    DWORD reasons = 0;
    bool named = rm.RegisterResources(session, 1, files, 0, nullptr, 0, nullptr) == ERROR_SUCCESS &&
                 rm.GetList(session, &needed, &count, holders, &reasons) == ERROR_SUCCESS && count > 0 &&
                 holders[0].strAppName[0] != L'\0';
    BOOL lacking = FALSE;
    named = named &&
            WideCharToMultiByte(CP_ACP, 0, holders[0].strAppName, -1, name, static_cast<int>(capacity),
                                nullptr, &lacking) > 0 &&
            !lacking;
    rm.EndSession(session);
    return named;
}

} // namespace

void PauseForHeldFile(void (*keepAlive)())
{
    for (DWORD paused = 0; paused < kHeldFilePauseMilliseconds; paused += kKeepAliveSliceMilliseconds) {
        Sleep(kKeepAliveSliceMilliseconds);
        if (keepAlive)
            keepAlive();
    }
}

bool NameFileHolder(const char *path, char *name, size_t capacity)
{
    RestartManager rm;
    if (capacity == 0 || !LoadRestartManager(&rm))
        return false;
    const bool named = AskRestartManager(rm, path, name, capacity);
    FreeLibrary(rm.Module);
    return named;
}

FileWrite PrepareToReplace(const char *path)
{
    // The system's ANSI calls take no longer path, whatever another layer
    // (the C library, Wine) might manage to create: the file could be neither
    // moved into place nor removed again.
    if (strlen(path) >= MAX_PATH)
        return FileWrite::NotCreated;
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FileWrite::Written; // nothing there to replace
    // A folder of that name is no earlier file of ours.
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return FileWrite::NotCreated;
    const DWORD marks = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (attributes & marks)
        SetFileAttributesA(path, attributes & ~marks); // result ignored: the open below tells
    // Asked now, before anything is written: the move at the end would fail
    // the same way, but only after the whole file had been written beside it.
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return HeldByAnother(GetLastError()) ? FileWrite::InUse : FileWrite::NotCreated;
    CloseHandle(file);
    return FileWrite::Written;
}

FileWrite MoveIntoPlace(const char *part, const char *path)
{
    if (MoveFileExA(part, path, MOVEFILE_REPLACE_EXISTING))
        return FileWrite::Written;
    return HeldByAnother(GetLastError()) ? FileWrite::InUse : FileWrite::NotCreated;
}
