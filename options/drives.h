// The machine's drives, the proposed folder and the line of free and
// required space that the options page and the folder browser show.
#pragma once
#include <windows.h>

#include <cstdint>

#include "options/drive_rules.h"

// Lists the drives, proposes BaseFolder (the Windows drive's Program files
// folder, which then stays the current directory, or the root of drive C),
// upper-cases SourceDir and measures the proposed drive.
void ChooseDefaultFolder();
// The free space of the drive whose root is `root` ("D:\\"), silently; false,
// and *freeBytes untouched, when it cannot be measured.
bool MeasureFreeSpace(const char *root, uint64_t *freeBytes);
// Measures drive `drive` of DriveTable into FreeBytes; on failure tells the
// user and keeps the previous figure.
void QueryFreeSpace(int drive);
// Sets the space line as the text of control `control` of `window`.
void ShowSpaceText(HWND window, int control);

// The most room the copy's temporaries take at one time: the payload's gzip
// file beside its expansion, or the side file's expansion when recitations
// are chosen; and a little for the clusters they round up to.
uint64_t TemporaryBytes();
// Where they go, by PlaceTemporaries, with the drive of `tempFolder` and that
// of InstallDir measured now, for `tempBytes` besides RequiredBytes.
TempPlace PlaceTemporariesNow(const char *tempFolder, uint64_t tempBytes);
