// The decisions behind the drive list, the proposed folder and the space line,
// apart from the system calls that feed them (options/drives.cpp), so they can
// be tried with any machine's answers. Portable: no <windows.h>.
#pragma once
#include <cstddef>
#include <cstdint>

// Fills DriveTable, DriveCount, CurrentDrive and BaseFolder from what the
// system reported; the setup's drive is the one SourceDir starts with.
//   driveStrings, capacity, reported: the buffer handed to
//     GetLogicalDriveStringsA, its size in characters, and the call's result
//     (0 when it failed, more than capacity - 1 when the list did not fit).
//   windowsDir: the Windows directory, empty when unknown.
//   enterFolder: makes the proposed Program files folder the current
//     directory; true when it exists and could be entered.
void ChooseDefaultFolderFrom(const char *driveStrings, size_t capacity, size_t reported,
                             const char *windowsDir, bool (*enterFolder)(const char *folder));

// The figure FreeBytes takes from a successful measurement: what the caller
// may use, or the drive's whole free count when the system says 0 for that.
uint64_t PickFreeBytes(uint64_t availableToCaller, uint64_t totalFree);

// "Available: ... MB  --  Required: ... MB" from FreeBytes and RequiredBytes.
constexpr int kSpaceTextChars = 80;
void FormatSpaceText(char (&out)[kSpaceTextChars]);

// Tells the user that a drive could not be measured (error box, no owner,
// captioned SetupName). FreeBytes is not touched, so the old figure stays.
void ReportFreeSpaceError(unsigned long error);

// A drive letter, a colon and a backslash: the only kind of directory the
// setup installs into. Anything else would be taken relative to whatever the
// current directory happens to be, and written so into shortcuts and registry.
bool IsFullPath(const char *path);

// Where the copy's temporaries (its expansions) go: into the temporary folder
// when its drive has room for them besides what is installed there, else into
// a folder of the setup's own on the installation drive when that has room
// for both; NoRoom when neither has. Free space that could not be measured
// is passed as UINT64_MAX, trusted as the copy always trusted it.
enum class TempPlace { TempFolder, InstallDrive, NoRoom };
TempPlace PlaceTemporaries(bool sameDrive, uint64_t tempFree, uint64_t installFree, uint64_t installBytes,
                           uint64_t tempBytes);
// Whether two paths lie on one drive letter.
bool OnSameDrive(const char *path, const char *other);
