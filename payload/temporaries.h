// Where the copy page's temporaries (the payload's gzip file and the
// expansions) go, and their removal: one job, whichever folder it picks.
#pragma once
#include <windows.h>

#include "common/install_settings.h"

// Where the temporaries go, without a trailing backslash.
extern char TempDir[kShortPathChars];

// Sets TempDir: the system's temporary folder when its drive has room for the
// temporaries, else a folder of the setup's own made in InstallDir. False,
// after telling the user, when no folder can be used at all.
bool ChooseTempDir(HWND page);
// Deletes TempDir\name, when there is a TempDir.
void DeleteTemporary(const char *name);
// Removes the setup's own folder, when one was made, with everything in it.
void RemoveTemporaries();
