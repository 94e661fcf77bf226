// Paths in the ANSI code page, as the rest of the setup holds them. The system
// knows its paths in UTF-16; an ANSI call hands back '?' (or a look-alike) for
// every character the code page lacks, a path that does not exist: a user
// named in Arabic on a Western system. And on a double-byte code page a
// character's second byte may be 0x5C, the backslash, so a path is read
// character by character, never byte by byte.
#pragma once
#include <windows.h>

#include "common/text.h"

// `wide` in the code page when it holds every character of it, else its short
// (8.3) form, which is plain ASCII. False, and `out` empty, when neither fits
// (a volume without short names, a path that does not exist).
bool TakeSystemPath(char *out, size_t capacity, const wchar_t *wide);

// The same for the buffer of a system call that returned `reported`: its
// length, or, when the path did not fit, the size it needed (or 0 on failure).
template <size_t N, size_t W> bool TakeSystemPath(char (&out)[N], const wchar_t (&wide)[W], DWORD reported)
{
    if (reported == 0 || reported >= W) {
        out[0] = '\0';
        return false;
    }
    return TakeSystemPath(out, N, wide);
}

// One name of a folder listing: the name in the code page, else its short name.
bool TakeFileName(char *out, size_t capacity, const WIN32_FIND_DATAW &found);

// The last backslash of `path`, or null.
const char *LastBackslash(const char *path);
bool EndsInBackslash(const char *path);
// Removes one trailing backslash, if there is one.
void TrimTrailingBackslash(char *path);

// folder, a backslash and name; no backslash is added after a folder that
// already ends in one, such as a drive's root "C:\".
template <size_t N> bool JoinInto(char (&out)[N], const char *folder, const char *name)
{
    return FormatInto(out, EndsInBackslash(folder) ? "%s%s" : "%s\\%s", folder, name);
}
