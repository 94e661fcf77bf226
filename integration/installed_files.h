// Every file the setup may put under the installation directory: the 47 of
// the files archive, recitations 002 to 114 of the side file, and the
// translation list "avaldata.dat". The uninstall entry's size is measured
// over them, and the uninstaller removes exactly these and nothing else.
// Portable: no <windows.h>.
#pragma once
#include "common/install_settings.h"
#include "payload/archive.h"

constexpr int kInstalledFiles = kFilesArchiveRecords + kRecitationArchiveRecords + 1;

// The name of file 0 to kInstalledFiles - 1, relative to the installation
// directory (backslash-separated). False for an index out of range.
bool InstalledFileName(int index, char (&name)[kShortPathChars]);
