#include "common/temp_folder.h"

#include "common/ansi_path.h"

namespace
{

// The Windows temporary folder, when a file can be made in it. The setup runs
// with administrator rights, so it may write there.
bool TakeWindowsTemp(char (&folder)[kShortPathChars])
{
    wchar_t wide[kShortPathChars];
    char windows[kShortPathChars], probe[MAX_PATH];
    if (!TakeSystemPath(windows, wide, GetWindowsDirectoryW(wide, kShortPathChars)) ||
        !JoinInto(folder, windows, "Temp") || !GetTempFileNameA(folder, "dun", 0, probe))
        return false;
    DeleteFileA(probe); // made only to see that the folder takes files
    return true;
}

} // namespace

TempFolderFound FindTempFolder(char (&folder)[kShortPathChars], wchar_t (&named)[kShortPathChars])
{
    named[0] = L'\0';
    const DWORD length = GetTempPathW(kShortPathChars, named);
    if (length == 0 || length >= static_cast<DWORD>(kShortPathChars)) {
        named[0] = L'\0';
        // An empty SourceDir means the current directory was too long to record.
        if (!CopyInto(folder, SourceDir) || !folder[0])
            return TempFolderFound::SourceTooLong;
    } else if (!TakeSystemPath(folder, named, length) && !TakeWindowsTemp(folder)) {
        folder[0] = '\0';
        return TempFolderFound::Unspellable;
    }
    TrimTrailingBackslash(folder);
    return TempFolderFound::Found;
}
