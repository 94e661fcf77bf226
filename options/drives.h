// The machine's drives, the proposed folder and the line of free and
// required space that the options page and the folder browser show.
#pragma once
#include <windows.h>

#include <cstdint>

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
