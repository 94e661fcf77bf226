#include "common/file_write.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cstring>

namespace
{

// A file that another program has open without sharing it for writing, or
// the image of a program that runs: error 32, or 5 on some systems.
bool HeldByAnother(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

} // namespace

FileWrite PrepareToReplace(const char *path, bool *earlier)
{
    *earlier = false;
    // The system's ANSI calls take no longer path, whatever another layer
    // (the C library, Wine) might manage to create: the file could be neither
    // moved into place nor removed again.
    if (strlen(path) >= MAX_PATH)
        return FileWrite::NotCreated;
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FileWrite::Written; // nothing there to replace
    *earlier = true;
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

FILE *CreateNewFile(const char *path)
{
    // Made, not overwritten: Wine empties a file opened to be overwritten
    // even when it has just made it, and Linux file systems then write the
    // whole file out on the spot when it is closed, which for the 290 MB of
    // the recitations' temporary takes a tenth of a second.
    const int fd = _open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    FILE *file = fd < 0 ? nullptr : _fdopen(fd, "wb");
    if (fd >= 0 && !file)
        _close(fd);
    return file;
}
