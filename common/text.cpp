#include "common/text.h"

#include <cstdio>
#include <cstring>

bool FormatTextV(char *out, size_t capacity, const char *format, va_list args)
{
    if (capacity == 0)
        return false;
    int needed = vsnprintf(out, capacity, format, args);
    if (needed < 0 || static_cast<size_t>(needed) >= capacity) {
        out[0] = '\0';
        return false;
    }
    return true;
}

bool FormatText(char *out, size_t capacity, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    bool fit = FormatTextV(out, capacity, format, args);
    va_end(args);
    return fit;
}

bool CopyText(char *out, size_t capacity, const char *text)
{
    if (capacity == 0)
        return false;
    size_t length = strlen(text);
    if (length >= capacity) {
        out[0] = '\0';
        return false;
    }
    memcpy(out, text, length + 1);
    return true;
}
