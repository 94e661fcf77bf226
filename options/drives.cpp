#include "options/drives.h"

#include "common/ansi_path.h"
#include "common/app_window.h"
#include "common/install_settings.h"
#include "common/text.h"
#include "options/catalogue.h"
#include "options/drive_rules.h"
#include "options/selection.h"

#include <algorithm>

namespace
{

// Room for all 26 drive letters ("X:\" and a NUL each, and the closing NUL).
// The system writes nothing at all when the list does not fit, so a smaller
// buffer would lose every drive, drive C included, on a machine with many.
constexpr DWORD kDriveStringChars = 26 * 4 + 1;

bool EnterFolder(const char *folder)
{
    return SetCurrentDirectoryA(folder) != FALSE;
}

using GetDiskFreeSpaceExAFunction = BOOL(WINAPI *)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

// Systems before Windows 95 OSR2 lack GetDiskFreeSpaceExA, so it is looked up
// rather than imported.
GetDiskFreeSpaceExAFunction FindGetDiskFreeSpaceEx()
{
    return FindFunction<GetDiskFreeSpaceExAFunction>(GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA");
}

// A gzip member ends with the plain size of what it holds, little-endian.
uint64_t PayloadBytes()
{
    const PayloadStream payload = FindPayload();
    if (payload.size < 4)
        return payload.size;
    const unsigned char *plain = payload.bytes + payload.size - 4;
    return payload.size + (plain[0] | plain[1] << 8 | plain[2] << 16 | static_cast<uint64_t>(plain[3]) << 24);
}

// Free space of the drive `folder` (no trailing backslash) is on; a drive that
// cannot be measured is trusted.
uint64_t FreeSpaceAt(const char *folder)
{
    char directory[kPathChars];
    uint64_t freeBytes = UINT64_MAX;
    if (FormatInto(directory, "%s\\", folder))
        MeasureFreeSpace(directory, &freeBytes);
    return freeBytes;
}

} // namespace

void ChooseDefaultFolder()
{
    char driveStrings[kDriveStringChars] = {};
    DWORD reported = GetLogicalDriveStringsA(kDriveStringChars, driveStrings);

    wchar_t wide[kPathChars];
    char windowsDir[kPathChars];
    // Empty when unknown: failed, did not fit, or has no spelling in the code page.
    TakeSystemPath(windowsDir, wide, GetWindowsDirectoryW(wide, kPathChars));

    // Character by character: on a double-byte code page a byte-wise
    // upper-casing turns the second byte of a character into another
    // character's, and the side file is no longer found.
    CharUpperA(SourceDir);
    ChooseDefaultFolderFrom(driveStrings, kDriveStringChars, reported, windowsDir, EnterFolder);
    QueryFreeSpace(CurrentDrive);
}

bool MeasureFreeSpace(const char *root, uint64_t *freeBytes)
{
    if (GetDiskFreeSpaceExAFunction getDiskFreeSpaceEx = FindGetDiskFreeSpaceEx()) {
        ULARGE_INTEGER available, total, totalFree;
        if (!getDiskFreeSpaceEx(root, &available, &total, &totalFree))
            return false;
        *freeBytes = PickFreeBytes(available.QuadPart, totalFree.QuadPart);
        return true;
    }
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, clusters;
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        return false;
    *freeBytes = static_cast<uint64_t>(freeClusters) * sectorsPerCluster * bytesPerSector;
    return true;
}

void QueryFreeSpace(int drive)
{
    // With no drive listed there is nothing to measure, and no error number to report.
    if (drive < 0 || drive >= DriveCount)
        return;
    if (!MeasureFreeSpace(DriveTable[drive], &FreeBytes))
        ReportFreeSpaceError(GetLastError());
}

void ShowSpaceText(HWND window, int control)
{
    char text[kSpaceTextChars];
    FormatSpaceText(text);
    SetDlgItemTextA(window, control, text);
}

uint64_t TemporaryBytes()
{
    const uint64_t kClusterSlack = 1 << 20;
    const uint64_t recitations = CountChosenRecitations() > 0 ? RecitationArchiveBytes() : 0;
    return std::max(PayloadBytes(), recitations) + kClusterSlack;
}

TempPlace PlaceTemporariesNow(const char *tempFolder, uint64_t tempBytes)
{
    const char drive[] = {InstallDir[0], ':', '\0'};
    return PlaceTemporaries(OnSameDrive(tempFolder, InstallDir), FreeSpaceAt(tempFolder), FreeSpaceAt(drive),
                            RequiredBytes, tempBytes);
}
