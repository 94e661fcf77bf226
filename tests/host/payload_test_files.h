// Real files in a fresh temporary folder, for the payload tests.
#pragma once
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "tests/file_bytes.h"

class TempFolder
{
  public:
    TempFolder()
    {
        char pattern[] = "/tmp/dunvo_test_XXXXXX";
        path_ = mkdtemp(pattern) ? pattern : "/nonexistent";
    }
    ~TempFolder() { std::system(("rm -rf '" + path_ + "'").c_str()); }
    std::string operator/(const std::string &name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

inline void WriteWholeFile(const std::string &path, const std::string &bytes)
{
    FILE *file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    fwrite(bytes.data(), 1, bytes.size(), file);
    ASSERT_EQ(fclose(file), 0) << path;
}
