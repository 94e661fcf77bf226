// The gzip module both ways, and every failure: each is a failed return, told
// apart when the input is at fault, and one box that says what went wrong.
#include "payload/gzip_file.h"

#include "common/message_box.h"
#include "common/message_box_host.h"
#include "payload_test_files.h"

#include <filesystem>

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
    for (size_t size : {0u, 1u, kGzipCopyBufferBytes, kGzipExpandBufferBytes + 1, 700000u}) {
        const std::string plain = SampleBytes(size);
        Compressed(folder, plain);
        EXPECT_EQ(ExpandGzipFile((folder / "back").c_str(), (folder / "packed.gz").c_str()), Expansion::Done);
        EXPECT_EQ(ReadFileBytes(folder / "back"), plain) << size;
        EXPECT_EQ(
            std::system(("gzip -dc " + folder / "packed.gz" + " | cmp -s - " + folder / "plain").c_str()), 0);
    }
    // zlib passes input that is not gzip through unchanged.
    EXPECT_EQ(ExpandGzipFile((folder / "back").c_str(), (folder / "plain").c_str()), Expansion::Done);
    EXPECT_EQ(ReadFileBytes(folder / "back"), SampleBytes(700000));
    EXPECT_TRUE(RecordedMessages().empty());
}

TEST(GzipFile, EveryFailureIsReportedOnceAndADamagedInputToldApart)
{
    TempFolder folder;
    const std::string plain = SampleBytes(300000), good = Compressed(folder, plain),
                      small = Compressed(folder, SampleBytes(1000));
    const auto flipped = [&](size_t from, size_t count) {
        std::string bytes = good;
        for (size_t i = from; i < from + count; ++i)
            bytes[i] = char(~bytes[i]);
        return bytes;
    };
    const std::string in = folder / "in.gz", out = folder / "out";
    const Expansion D = Expansion::Damaged, F = Expansion::Failed; // the input's fault, or not
    const struct {
        Expansion result;
        std::string input, output, message; // input empty: none; message: the start of the one box
        const char *program = nullptr;
        rlim_t room = RLIM_INFINITY; // how large a file may grow
    } cases[] = {
        {D, flipped(good.size() - 8, 1), out, "gzip: "},                             // the CRC
        {D, flipped(good.size() - 4, 1), out, "gzip: "},                             // the length
        {D, good.substr(0, good.size() - 3), out, "tool: failed gzclose\n", "tool"}, // cut in the trailer
        {F, "", out, "Can't open file " + in + "\n"},
        {F, good, folder / "no/out", "Can't create file " + folder / "no/out\n"},
        // A disk with room for 100 bytes: a small output fails only when the
        // buffer is flushed at close, a large one at once.
        {F, small, out, "gzip: failed fclose: " + out + " (the disk", nullptr, 100},
        {F, good, out, "gzip: failed fwrite: " + out + " (the disk", nullptr, 100},
        {D, flipped(good.size() / 2, 16), out, "gzip: "}, // damaged data
    };
    for (const auto &c : cases) {
        remove(in.c_str());
        if (!c.input.empty())
            WriteWholeFile(in, c.input);
        RecordedMessages().clear();
        GzipProgramName = c.program;
        {
            FileSizeLimit disk(c.room);
            EXPECT_EQ(ExpandGzipFile(c.output.c_str(), in.c_str()), c.result) << c.message;
        }
        // Nothing half-written or unchecked is left to be taken for the expansion.
        EXPECT_FALSE(std::filesystem::exists(c.output) || std::filesystem::exists(c.output + "~"))
            << c.message;
        GzipProgramName = nullptr;
        ASSERT_EQ(RecordedMessages().size(), 1u) << c.message;
        EXPECT_EQ(RecordedMessages()[0].text.rfind(c.message, 0), 0u) << RecordedMessages()[0].text;
        EXPECT_EQ(RecordedMessages()[0].flags, kMbOk);
    }
    RecordedMessages().clear();
    EXPECT_FALSE(CompressFileToGzip((folder / "none").c_str(), out.c_str()));
    EXPECT_FALSE(CompressFileToGzip((folder / "plain").c_str(), (folder / "no/out").c_str()));
    EXPECT_FALSE(
        CompressFileToGzip((folder / "plain").c_str(), "/dev/full")); // the end shows only at the close
    EXPECT_EQ(RecordedMessages().size(), 3u);
}

} // namespace
