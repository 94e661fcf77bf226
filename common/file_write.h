// Every file the setup writes ends here: the installed files, the translation
// list and the temporaries. Portable: no <windows.h>; what the system must do
// to put a file in place is file_write_win.cpp (file_write_host.cpp in host
// builds).
#pragma once
#include <cstdio>

#include "common/install_settings.h"

// Closes `file`, written through stdio, and tells whether it holds all it
// should: `written` says whether every write went through, and the close
// flushes what is still buffered, so a full disk may show only there.
bool CloseWrittenFile(FILE *file, bool written);

enum class FileWrite { Written, InUse, NotCreated, NotWritten };

// A file written so that the one it replaces is never lost halfway: the
// bytes go into Path with a '~' after it, in the same folder, which takes the
// earlier file's place only once it is whole. An earlier installation's file
// marked read-only, hidden or system is ours, and its marks are cleared (the
// system refuses to overwrite such a file); one that a running program holds
// is told apart as InUse, so the user can be asked to close that program.
struct FileReplacement {
    FILE *File; // open for writing after a Written start, else null
    char Path[kPathChars];
    char PartPath[kPathChars];
};

// A scanner or an indexer opens a file without sharing for a moment, often
// just as it is replaced: a file found in use is tried again, a few hundred
// milliseconds apart for a few seconds, before InUse is given; `keepAlive`,
// when given, is called all the while, so that a window can keep painting.
//
// Written when File is open; otherwise InUse or NotCreated, and nothing was touched but marks.
FileWrite BeginReplacement(FileReplacement *replacement, const char *path, void (*keepAlive)() = nullptr);
// Closes File; when `written` holds and the close flushed everything, the
// new file takes Path's place (Written, or InUse when the earlier file got
// held meanwhile). Otherwise the new file goes and Path stays as it was.
FileWrite EndReplacement(FileReplacement *replacement, bool written, void (*keepAlive)() = nullptr);

// The whole of `size` bytes as the file `path`, replacing an earlier one as above.
FileWrite ReplaceWholeFile(const char *path, const void *bytes, size_t size, void (*keepAlive)() = nullptr);

// The name of the program that holds `path`, where the system can tell
// (in the code page, at most `capacity` characters with the terminator).
bool NameFileHolder(const char *path, char *name, size_t capacity);

// What the system does differently: ready `path` to be replaced (Written,
// InUse or NotCreated), move `part` over `path`, and wait a while before a
// held file is tried again, calling `keepAlive` meanwhile.
FileWrite PrepareToReplace(const char *path);
FileWrite MoveIntoPlace(const char *part, const char *path);
void PauseForHeldFile(void (*keepAlive)());
