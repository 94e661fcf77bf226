// The setup's two ways into the shell: writing a shortcut file, and finding
// where the shell keeps an all-users folder (Start-menu programs, desktop).
#pragma once
#include <windows.h>

#include <cstddef>

// Writes the .lnk file `linkPath` that opens `target` in `workingDir` (as
// Explorer's own shortcuts do, so the program finds its files beside it),
// through the shell's shell-link object. Returns the HRESULT of the last COM step that ran,
// negative on failure. A link path that does not fit MAX_PATH UTF-16 units is
// refused with HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE), and nothing is
// written, rather than saved under a cut name.
HRESULT CreateShellShortcut(const char *target, const char *workingDir, const char *linkPath,
                            const char *description);

// Reads value `valueName` ("Common Programs", "Common Desktop") of the
// machine-wide Shell Folders key into `out`, less one final backslash, so that
// "C:\" becomes "C:". Returns 1 when a non-empty value was found and fit in
// `capacity`; otherwise 0, with `out` left exactly as it was.
int ReadShellFolderPath(char *out, size_t capacity, const char *valueName);

template <size_t N> int ReadShellFolderPath(char (&out)[N], const char *valueName)
{
    return ReadShellFolderPath(out, N, valueName);
}

extern const char kShellFoldersKey[];
