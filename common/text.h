// The one bounded formatter and the one bounded copy. Both tell whether the
// whole text fit; when it did not, the destination holds an empty string, so
// a path that does not fit can never be used half-cut by mistake.
#pragma once
#include <cstdarg>
#include <cstddef>

bool FormatTextV(char *out, size_t capacity, const char *format, va_list args);
bool FormatText(char *out, size_t capacity, const char *format, ...) __attribute__((format(printf, 3, 4)));
bool CopyText(char *out, size_t capacity, const char *text);

template <size_t N>
bool FormatInto(char (&out)[N], const char *format, ...) __attribute__((format(printf, 2, 3)));

template <size_t N> bool FormatInto(char (&out)[N], const char *format, ...)
{
    va_list args;
    va_start(args, format);
    bool fit = FormatTextV(out, N, format, args);
    va_end(args);
    return fit;
}

template <size_t N> bool CopyInto(char (&out)[N], const char *text)
{
    return CopyText(out, N, text);
}
