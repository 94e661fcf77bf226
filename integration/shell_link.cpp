#include "integration/shell_link.h"

#include "common/ansi_path.h"
#include "common/install_settings.h"

#include <objidl.h>
#include <shlobj.h>

#include <cstring>
#include <cwchar>

const char kShellFoldersKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// COM lives only while one shortcut is written: the setup has no other use for it.
HRESULT CreateShellShortcut(const char *target, const char *workingDir, const char *linkPath,
                            const char *description)
{
    CoInitialize(nullptr); // result ignored: S_FALSE (already initialised) is as good
    IShellLinkA *link = nullptr;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                      reinterpret_cast<void **>(&link));
    if (SUCCEEDED(result)) {
        link->SetPath(target);                 // result ignored: no test of the target
        link->SetWorkingDirectory(workingDir); // result ignored
        link->SetDescription(description);     // result ignored
        IPersistFile *file = nullptr;
        result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file));
        if (SUCCEEDED(result)) {
            WCHAR widePath[MAX_PATH];
            // A path longer than the buffer fails the conversion and leaves
            // it unterminated: such a link is not saved at all.
            if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, MAX_PATH) != 0)
                result = file->Save(widePath, TRUE);
            else
                result = HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return result;
}

int ReadShellFolderPath(char *out, size_t capacity, const char *valueName)
{
    wchar_t wideName[64];
    HKEY key;
    if (!MultiByteToWideChar(CP_ACP, 0, valueName, -1, wideName, 64) ||
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, kShellFoldersKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    // One character more than the query may fill, so a value stored without
    // its terminator still ends inside the buffer.
    wchar_t value[kPathChars + 1] = {};
    DWORD size = kPathChars * sizeof value[0];
    // The type is not examined: an expandable value is taken as it stands.
    const LONG read =
        RegQueryValueExW(key, wideName, nullptr, nullptr, reinterpret_cast<BYTE *>(value), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || value[0] == L'\0')
        return 0;
    // Trimmed while it is UTF-16, where a backslash is never half a character.
    const size_t length = wcslen(value);
    if (value[length - 1] == L'\\')
        value[length - 1] = L'\0';
    // A folder that does not fit the caller's buffer is not used cut.
    char folder[kPathChars];
    if (!TakeSystemPath(folder, sizeof folder, value) || strlen(folder) >= capacity)
        return 0;
    CopyText(out, capacity, folder);
    return 1;
}
