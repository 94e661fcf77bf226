// Real files in a fresh temporary folder for the payload tests.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "tests/file_bytes.h"

class TempFolder
{
  public:
    TempFolder()
    {
        char pattern[] = "/tmp/dunvo_payload_XXXXXX";
        if (mkdtemp(pattern))
            path_ = pattern;
    }
    ~TempFolder()
    {
        if (!path_.empty())
            std::system(("rm -rf '" + path_ + "'").c_str());
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const std::string &Path() const { return path_; }
    std::string operator/(const std::string &name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

inline bool FileExists(const std::string &path)
{
    FILE *file = fopen(path.c_str(), "rb");
    if (file)
        fclose(file);
    return file != nullptr;
}

inline void WriteWholeFile(const std::string &path, const std::string &bytes)
{
    FILE *file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    ASSERT_EQ(fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    ASSERT_EQ(fclose(file), 0);
}

// Text-like bytes that deflate compresses but not to nothing, from a fixed seed.
inline std::string SampleBytes(size_t size, uint32_t seed = 1)
{
    static const char *const words[] = {"and ", "the ", "light ", "of ", "mercy ", "he ", "said ", "\r\n"};
    std::string bytes;
    while (bytes.size() < size) {
        seed = seed * 1103515245u + 12345u;
        bytes += words[(seed >> 16) % 8];
        bytes += char('0' + (seed >> 24) % 10);
    }
    bytes.resize(size);
    return bytes;
}
