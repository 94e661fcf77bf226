// The folder the system names for temporary files, as the setup can use it.
// The copy page keeps its temporaries there when its drive has room; the
// options page measures that drive before anything is copied.
#pragma once
#include <windows.h>

#include "common/install_settings.h"

enum class TempFolderFound {
    Found,
    SourceTooLong, // the system names none that fits, and SourceDir is too long to use instead
    Unspellable,   // neither it nor the Windows one has a name in the code page
};

// Into `folder`, never with a trailing backslash (a drive's root C:\ becomes
// C:): the system's temporary folder, by its short name when the code page
// cannot spell it, else the Windows one; SourceDir when the system names none
// that fits. `named` keeps the system's own name, for a message.
TempFolderFound FindTempFolder(char (&folder)[kShortPathChars], wchar_t (&named)[kShortPathChars]);
