// Real files in a fresh temporary folder, for the payload tests.
#pragma once
#include <csignal>
#include <cstdlib>

#include <sys/resource.h>

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

// While it lives, files may grow to `bytes` only, as on a disk that fills:
// a write past it fails (EFBIG) instead of raising SIGXFSZ.
struct FileSizeLimit {
    rlimit previous;
    explicit FileSizeLimit(rlim_t bytes)
    {
        signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &previous); }
};
