// The end of every file the setup writes, so that a full disk is noticed
// wherever it happens. Portable: no <windows.h>.
#pragma once
#include <cstdio>

// Closes `file`, written through stdio, and tells whether it holds all it
// should: `written` says whether every write went through, and the close
// flushes what is still buffered, so a full disk may show only there.
bool CloseWrittenFile(FILE *file, bool written);
