// The gzip module both ways, and every failure: each is a false return and
// one box that says what went wrong, never a success.
#include "payload/gzip_file.h"

#include "common/message_box.h"
#include "common/message_box_host.h"
#include "payload_test_files.h"

#include <gtest/gtest.h>

#include <random>

namespace
{

// Text-like bytes that deflate compresses, but not to nothing.
std::string SampleBytes(size_t size)
{
    std::minstd_rand random{uint32_t(size)};
    std::string bytes(size, ' ');
    for (char &c : bytes)
        c = "and the light of mercy\r\n"[random() % 24];
    return bytes;
}

std::string Compressed(const TempFolder &folder, const std::string &plain)
{
    WriteWholeFile(folder / "plain", plain);
    EXPECT_TRUE(CompressFileToGzip((folder / "plain").c_str(), (folder / "packed.gz").c_str()));
    return ReadFileBytes(folder / "packed.gz");
}

TEST(GzipFile, RoundTripsThroughTheModuleAndTheSystemGzip)
{
    TempFolder folder;
    RecordedMessages().clear();
    // Sizes around the buffers catch a lost or repeated last chunk.
    for (size_t size : {size_t(0), size_t(1), size_t(kGzipCopyBufferBytes),
                        size_t(kGzipExpandBufferBytes + 1), size_t(700000)}) {
        SCOPED_TRACE(size);
        const std::string plain = SampleBytes(size);
        Compressed(folder, plain);
        ASSERT_EQ(std::system(("gzip -dc " + folder / "packed.gz" + " > " + folder / "system_back").c_str()),
                  0);
        EXPECT_EQ(ReadFileBytes(folder / "system_back"), plain);
        ASSERT_EQ(std::system(("gzip -9c " + folder / "plain" + " > " + folder / "system.gz").c_str()), 0);
        EXPECT_TRUE(ExpandGzipFile((folder / "back").c_str(), (folder / "system.gz").c_str()));
        EXPECT_EQ(ReadFileBytes(folder / "back"), plain);
    }
    // zlib passes input that is not gzip through unchanged.
    EXPECT_TRUE(ExpandGzipFile((folder / "back").c_str(), (folder / "plain").c_str()));
    EXPECT_EQ(ReadFileBytes(folder / "back"), SampleBytes(700000));
    EXPECT_TRUE(RecordedMessages().empty());
}

TEST(GzipFile, EveryFailureIsReportedOnceAndReturnsFalse)
{
    TempFolder folder;
    const std::string plain = SampleBytes(300000), good = Compressed(folder, plain);
    std::string crc = good, length = good, damaged = good;
    crc[crc.size() - 8] ^= 1;
    length[length.size() - 4] ^= 1;
    for (size_t i = damaged.size() / 2; i < damaged.size() / 2 + 16; ++i)
        damaged[i] = char(~damaged[i]);
    struct Case {
        const char *what;
        std::string input; // written to "in.gz"; empty: no input file
        std::string output;
        std::string message; // the start of the one box
        const char *program = nullptr;
    } cases[] = {
        {"wrong CRC", crc, folder / "out", "gzip: "},
        {"wrong length", length, folder / "out", "gzip: "},
        {"cut in the trailer", good.substr(0, good.size() - 3), folder / "out", "tool: failed gzclose\n",
         "tool"},
        {"damaged data", damaged, folder / "out", "gzip: "},
        {"missing input", "", folder / "out", "Can't open file " + folder / "in.gz\n"},
        {"missing folder", good, folder / "no/out", "Can't create file " + folder / "no/out\n"},
        // /dev/full takes the open and refuses every byte: a small output
        // fails only when the buffer is flushed at close, a large one at once.
        {"full at close", Compressed(folder, "x"), "/dev/full", "gzip: failed fclose: /dev/full (the disk"},
        {"full at once", good, "/dev/full", "gzip: failed fwrite: /dev/full (the disk"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        remove((folder / "in.gz").c_str());
        if (!c.input.empty())
            WriteWholeFile(folder / "in.gz", c.input);
        RecordedMessages().clear();
        GzipProgramName = c.program;
        EXPECT_FALSE(ExpandGzipFile(c.output.c_str(), (folder / "in.gz").c_str()));
        GzipProgramName = nullptr;
        ASSERT_EQ(RecordedMessages().size(), 1u);
        EXPECT_EQ(RecordedMessages()[0].text.rfind(c.message, 0), 0u) << RecordedMessages()[0].text;
        EXPECT_EQ(RecordedMessages()[0].flags, kMbOk);
    }
    // What was expanded before the damage stays written, but no more.
    const std::string out = ReadFileBytes(folder / "out");
    EXPECT_LT(out.size(), plain.size());
    EXPECT_EQ(out.substr(0, 65536), plain.substr(0, 65536));

    RecordedMessages().clear();
    EXPECT_FALSE(CompressFileToGzip((folder / "none").c_str(), (folder / "out.gz").c_str()));
    EXPECT_EQ(ReadFileBytes(folder / "out.gz", "<missing>"), "<missing>");
    EXPECT_FALSE(CompressFileToGzip((folder / "plain").c_str(), (folder / "no/out.gz").c_str()));
    EXPECT_FALSE(CompressFileToGzip((folder / "plain").c_str(), "/dev/full"));
    EXPECT_EQ(RecordedMessages().size(), 3u);
}

} // namespace
