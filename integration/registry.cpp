#include "integration/registry.h"

#include "common/install_settings.h"
#include "common/text.h"
#include "integration/installed_files.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kRegistrySubkey[] = "Dunvo";

namespace
{

const char kProductName[] = "Dunvo";

// Opens the parent key (which must exist) and creates or opens our subkey.
// False when either fails, for instance without the right to write
// machine-wide keys; nothing is written then.
bool OpenSubkey(const char *parentPath, HKEY *parent, HKEY *subkey)
{
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, parentPath, 0, KEY_READ | KEY_WRITE, parent) != ERROR_SUCCESS)
        return false;
    char noClass[] = "";
    if (RegCreateKeyExA(*parent, kRegistrySubkey, 0, noClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, subkey, nullptr) != ERROR_SUCCESS) {
        RegCloseKey(*parent);
        return false;
    }
    return true;
}

void CloseSubkey(HKEY parent, HKEY subkey)
{
    RegCloseKey(subkey);
    RegCloseKey(parent);
}

// Stored with its terminating zero. Results are not examined: a failed value
// does not stop the later ones.
void SetText(HKEY key, const char *name, const char *text)
{
    char value[kPathChars];
    if (text[0] == '\0' || !CopyInto(value, text))
        return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value),
                   static_cast<DWORD>(strlen(value) + 1));
}

void SetNumber(HKEY key, const char *name, DWORD number)
{
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&number), sizeof number);
}

} // namespace

void RegisterAppPath()
{
    HKEY parent, subkey;
    if (!OpenSubkey(kAppPathsKey, &parent, &subkey))
        return;
    SetText(subkey, nullptr, kProductName);
    SetText(subkey, "Path", InstallDir);
    CloseSubkey(parent, subkey);
}

void RegisterUninstallEntry(const char *uninstallCommand, const char *startMenuFolder)
{
    HKEY parent, subkey;
    if (!OpenSubkey(kUninstallKey, &parent, &subkey))
        return;
    SetText(subkey, "DisplayName", kProductName);
    SetText(subkey, "UninstallString", uninstallCommand);
    SetText(subkey, "Scdir", startMenuFolder);
    SetText(subkey, "Progdir", InstallDir);

    char icon[kPathChars];
    FormatInto(icon, "%s\\dunvo.exe", InstallDir);
    SetText(subkey, "DisplayVersion", "7.02");
    SetText(subkey, "Publisher", kProductName);
    SetText(subkey, "DisplayIcon", icon);
    SetText(subkey, "InstallLocation", InstallDir);
    SetNumber(subkey, "EstimatedSize", MeasureInstalledKilobytes());
    SetNumber(subkey, "NoModify", 1);
    SetNumber(subkey, "NoRepair", 1);
    CloseSubkey(parent, subkey);
}

// Measured rather than taken from the selection: what lies there is what the
// uninstaller will remove, an earlier run's files in the same folder included.
unsigned long MeasureInstalledKilobytes()
{
    uint64_t bytes = 0;
    for (int index = 0; index < kInstalledFiles; ++index) {
        char name[kShortPathChars];
        char path[kPathChars];
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (InstalledFileName(index, name) && FormatInto(path, "%s\\%s", InstallDir, name) &&
            GetFileAttributesExA(path, GetFileExInfoStandard, &data) &&
            !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            bytes += (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    const uint64_t kilobytes = (bytes + 1023) / 1024;
    return kilobytes > 0xFFFFFFFFu ? 0xFFFFFFFFul : static_cast<unsigned long>(kilobytes);
}
