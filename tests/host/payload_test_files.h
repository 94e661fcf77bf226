// Real files in a fresh temporary folder, for the payload tests.
#pragma once
#include <cstdlib>

#include <gtest/gtest.h>

#include "tests/file_bytes.h"

struct TempFolder {
    std::string path = mkdtemp(std::string("/tmp/dunvo_test_XXXXXX").data());
    ~TempFolder() { std::system(("rm -rf " + path).c_str()); }
    std::string operator/(const std::string &name) const { return path + "/" + name; }
};

inline void WriteWholeFile(const std::string &path, const std::string &bytes)
{
    FILE *file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    fwrite(bytes.data(), 1, bytes.size(), file);
    ASSERT_EQ(fclose(file), 0) << path;
}
