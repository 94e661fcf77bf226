#include "common/ansi_path.h"

#include "common/install_settings.h"

#include <cstring>
#include <cwchar>

namespace
{

// The whole of `wide` in the code page, or false. Best-fit characters are
// refused (an "a" for an "ā" names another file), and the text must come back
// unchanged: on a double-byte code page that is the one sure test. Systems
// whose code page is UTF-8 take neither the flag nor the question.
bool ConvertExactly(const wchar_t *wide, char *out, size_t capacity)
{
    const bool utf8 = GetACP() == CP_UTF8;
    BOOL usedDefault = FALSE;
    const int bytes = WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, wide, -1, out,
                                          static_cast<int>(capacity), nullptr, utf8 ? nullptr : &usedDefault);
    wchar_t back[kPathChars];
    if (bytes == 0 || usedDefault || MultiByteToWideChar(CP_ACP, 0, out, -1, back, kPathChars) == 0 ||
        wcscmp(back, wide) != 0) {
        out[0] = '\0';
        return false;
    }
    return true;
}

} // namespace

bool TakeSystemPath(char *out, size_t capacity, const wchar_t *wide)
{
    if (ConvertExactly(wide, out, capacity))
        return true;
    wchar_t shortPath[kPathChars];
    const DWORD length = GetShortPathNameW(wide, shortPath, kPathChars);
    if (length > 0 && length < static_cast<DWORD>(kPathChars) && ConvertExactly(shortPath, out, capacity))
        return true;
    out[0] = '\0';
    return false;
}

bool TakeFileName(char *out, size_t capacity, const WIN32_FIND_DATAW &found)
{
    return ConvertExactly(found.cFileName, out, capacity) ||
           (found.cAlternateFileName[0] && ConvertExactly(found.cAlternateFileName, out, capacity));
}

const char *LastBackslash(const char *path)
{
    const char *last = nullptr;
    for (const char *c = path; *c; c = CharNextA(c))
        if (*c == '\\')
            last = c;
    return last;
}

bool EndsInBackslash(const char *path)
{
    const char *last = LastBackslash(path);
    return last && last[1] == '\0';
}

void TrimTrailingBackslash(char *path)
{
    if (EndsInBackslash(path))
        path[strlen(path) - 1] = '\0';
}
