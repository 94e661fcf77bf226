#include "payload/temporaries.h"

#include <cstring>

#include "common/app_window.h"
#include "common/temp_folder.h"
#include "common/text.h"
#include "options/drives.h"

char TempDir[kShortPathChars];

namespace
{

// Inside the installation directory: on its drive, writable, and never
// mistaken for a folder of the user's. InstallDir is held short enough for
// the longest temporary name inside it.
const char kOwnFolderName[] = "~DunvoSetup";
bool OwnFolderMade;

// InstallDir\~DunvoSetup, made (or left by a run that was killed) for this copy.
bool MakeOwnFolder()
{
    char folder[kShortPathChars];
    if (!FormatInto(folder, "%s\\%s", InstallDir, kOwnFolderName))
        return false;
    MakeDirectory(folder); // result ignored: 0 also when it exists; the look below tells
    const DWORD attributes = GetFileAttributesA(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    // Only once TempDir names it: its removal empties whatever TempDir names.
    if (!CopyInto(TempDir, folder))
        return false;
    OwnFolderMade = true;
    return true;
}

} // namespace

bool ChooseTempDir(HWND page)
{
    wchar_t named[kShortPathChars];
    OwnFolderMade = false;
    const TempFolderFound found = FindTempFolder(TempDir, named);
    if (found == TempFolderFound::SourceTooLong) {
        FormatInto(MessageText, "The path is too long, nothing was written to it:\n%.200s\\filesdata.gz",
                   SourceDir);
        MessageBoxA(page, MessageText, nullptr, MB_ICONERROR);
        return false;
    }
    if (found == TempFolderFound::Unspellable) {
        // Named in its own letters, which the code page lacks.
        wchar_t text[kPathChars] = L"Setup cannot use the temporary folder\n";
        wcsncat(text, named, kShortPathChars);
        wcscat(text, L"\nnor the Windows temporary folder. Set TEMP to a folder whose name has only "
                     L"letters of this system's language, and start Setup again.");
        MessageBoxW(page, text, nullptr, MB_ICONERROR);
        return false;
    }
    // With no room anywhere now (the options page found some), the temporary
    // folder is tried all the same, and a failure told when it comes.
    if (PlaceTemporariesNow(TempDir, TemporaryBytes()) == TempPlace::InstallDrive && !MakeOwnFolder())
        return FindTempFolder(TempDir, named) == TempFolderFound::Found;
    return true;
}

void DeleteTemporary(const char *name)
{
    char path[kPathChars];
    // With no temporary directory chosen the path would point at the drive's root.
    if (TempDir[0] && FormatInto(path, "%s\\%s", TempDir, name))
        DeleteFileA(path); // result ignored: it may never have been made
}

void RemoveTemporaries()
{
    if (!OwnFolderMade)
        return;
    OwnFolderMade = false;
    // Everything in it is ours: the temporaries and the parts of them a
    // failure or a killed run left.
    char pattern[kPathChars], path[kPathChars];
    WIN32_FIND_DATAA found;
    HANDLE search =
        FormatInto(pattern, "%s\\*", TempDir) ? FindFirstFileA(pattern, &found) : INVALID_HANDLE_VALUE;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                FormatInto(path, "%s\\%s", TempDir, found.cFileName))
                DeleteFileA(path); // result ignored: the folder's removal below is what is left to see
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(TempDir); // result ignored: nothing more can be done about it
}
