// Stand-in for the publisher's uninstaller: installed as "uninstall.exe" and
// started from the system's list of programs or the Start-menu shortcut.
// It finds the installation through the setup's own uninstall entry, asks,
// and removes what the setup made and nothing else: the files of the payload
// table, the recitations, "avaldata.dat", the shortcuts, the two registry
// entries, and then the folders that are left empty. A folder is never
// removed with what it holds, so a file of the user's keeps its folder.
//
// A running program cannot delete its own file on Windows, and a file in use
// cannot be deleted either: such files, and the folders that hold them, are
// handed to the system to remove at the next restart (MoveFileExA with
// MOVEFILE_DELAY_UNTIL_REBOOT; a folder that is not empty by then stays).
#include "common/text.h"
#include "integration/installed_files.h"
#include "integration/registry.h"
#include "integration/shell_link.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

// The bounded formatter of text.h runs on the C runtime's own formatter here
// instead of the toolchain's complete one, which would take a third of the
// 64,000 bytes this program may have. The texts formatted here use only %s
// and %d, and the formatter already takes the runtime's -1 for a text that
// does not fit as "did not fit".
extern "C" int __cdecl __mingw_vsnprintf(char *out, size_t capacity, const char *format, va_list args)
{
    return _vsnprintf(out, capacity, format, args);
}

namespace
{

const char kCaption[] = "Dunvo - Uninstall";
const char kShortcutNames[][16] = {"Dunvo.lnk", "Uninstall.lnk", "Readme.lnk"};

char ProgramFolder[kPathChars];
char ShortcutFolder[kPathChars];
bool RemovalPending;

// A REG_SZ value of our uninstall entry, whole and terminated; false when
// missing, of another type or too long.
bool ReadEntryText(HKEY entry, const char *name, char (&out)[kPathChars])
{
    char value[kPathChars + 1];
    memset(value, 0, sizeof value);
    DWORD type = 0, size = kPathChars;
    if (RegQueryValueExA(entry, name, nullptr, &type, reinterpret_cast<BYTE *>(value), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ || value[0] == '\0')
        return false;
    return CopyInto(out, value);
}

bool FindInstallation()
{
    char entryPath[kPathChars];
    HKEY entry;
    if (!FormatInto(entryPath, "%s\\%s", kUninstallKey, kRegistrySubkey) ||
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, entryPath, 0, KEY_READ, &entry) != ERROR_SUCCESS)
        return false;
    const bool found = ReadEntryText(entry, "Progdir", ProgramFolder);
    if (!ReadEntryText(entry, "Scdir", ShortcutFolder))
        ShortcutFolder[0] = '\0'; // no Start-menu folder was recorded
    RegCloseKey(entry);
    return found;
}

// Deleted now, or at the next restart when it is in use (this program's own file).
void RemoveFile(const char *path)
{
    if (DeleteFileA(path))
        return;
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return;
    if (MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
        RemovalPending = true;
}

// Only an empty folder goes. One that still holds a file waiting for the
// restart is handed over too, after that file, and goes then if nothing else
// is left in it.
void RemoveFolder(const char *path)
{
    if (!RemoveDirectoryA(path) && RemovalPending && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

void RemoveInstalledFiles()
{
    char name[kShortPathChars];
    char path[kPathChars];
    for (int index = 0; index < kInstalledFiles; ++index)
        if (InstalledFileName(index, name) && FormatInto(path, "%s\\%s", ProgramFolder, name))
            RemoveFile(path);
    // The subfolders the names hold ("qtext", "images", "sound"), each once,
    // then the folder itself.
    char folders[8][kShortPathChars];
    int folderCount = 0;
    for (int index = 0; index < kInstalledFiles; ++index) {
        char *slash = InstalledFileName(index, name) ? strrchr(name, '\\') : nullptr;
        if (!slash)
            continue;
        *slash = '\0';
        bool seen = false;
        for (int k = 0; k < folderCount; ++k)
            seen = seen || lstrcmpiA(folders[k], name) == 0;
        if (seen || folderCount == 8)
            continue;
        CopyInto(folders[folderCount++], name);
        if (FormatInto(path, "%s\\%s", ProgramFolder, name))
            RemoveFolder(path);
    }
    RemoveFolder(ProgramFolder);
}

void RemoveShortcuts()
{
    char path[kPathChars];
    if (ShortcutFolder[0] != '\0') {
        for (const char *name : kShortcutNames)
            if (FormatInto(path, "%s\\%s", ShortcutFolder, name))
                RemoveFile(path);
        RemoveFolder(ShortcutFolder);
    }
    char desktop[kPathChars];
    if (ReadShellFolderPath(desktop, "Common Desktop") &&
        FormatInto(path, "%s\\%s", desktop, kShortcutNames[0]))
        RemoveFile(path);
}

void RemoveEntries()
{
    char path[kPathChars];
    if (FormatInto(path, "%s\\%s", kAppPathsKey, kRegistrySubkey))
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, path);
    if (FormatInto(path, "%s\\%s", kUninstallKey, kRegistrySubkey))
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, path);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (!FindInstallation()) {
        MessageBoxA(nullptr, "Dunvo is not installed on this computer: its uninstall entry is missing.",
                    kCaption, MB_OK | MB_ICONWARNING);
        return 1;
    }
    char text[3 * kPathChars];
    if (!FormatInto(
            text,
            "Remove Dunvo from this computer?\n\nIts files in %s, its shortcuts and its registry entries are "
            "removed. Files that Dunvo did not install are kept.",
            ProgramFolder) ||
        MessageBoxA(nullptr, text, kCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return 0;

    RemoveInstalledFiles();
    RemoveShortcuts();
    RemoveEntries();

    const bool folderKept = GetFileAttributesA(ProgramFolder) != INVALID_FILE_ATTRIBUTES;
    if (!folderKept)
        CopyInto(text, "Dunvo was removed from this computer.");
    else if (RemovalPending)
        FormatInto(
            text,
            "Dunvo was removed from this computer.\n\nFiles in use, this uninstaller among them, are removed "
            "when Windows restarts, and with them the folder %s if nothing else is left in it.",
            ProgramFolder);
    else
        FormatInto(
            text,
            "Dunvo was removed from this computer.\n\nThe folder %s was kept: it holds files that Dunvo did "
            "not install.",
            ProgramFolder);
    MessageBoxA(nullptr, text, kCaption, MB_OK | MB_ICONINFORMATION);
    return 0;
}
