// The whole content of a file, for tests on both sides (host and Windows).
#pragma once
#include <cstdio>
#include <string>

// whenMissing is returned when the file cannot be opened, so a test can tell
// a missing file from an empty one where that matters.
inline std::string ReadFileBytes(const std::string &path, const char *whenMissing = "")
{
    FILE *file = fopen(path.c_str(), "rb");
    if (!file)
        return whenMissing;
    std::string bytes;
    char buffer[65536];
    for (size_t count; (count = fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.append(buffer, count);
    fclose(file);
    return bytes;
}
