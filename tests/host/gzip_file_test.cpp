#include "payload/gzip_file.h"

#include "common/message_box.h"
#include "common/message_box_host.h"
#include "payload_test_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

using Texts = std::vector<std::string>;

class GzipFile : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_FALSE(folder.Path().empty());
        RecordedMessages().clear();
    }

    // Every box of the module: no owner, no caption, MB_OK.
    Texts Shown() const
    {
        Texts texts;
        for (const RecordedMessage &message : RecordedMessages()) {
            EXPECT_FALSE(message.hasCaption);
            EXPECT_EQ(message.flags, kMbOk);
            texts.push_back(message.text);
        }
        return texts;
    }

    std::string Compressed(const std::string &plain)
    {
        WriteWholeFile(folder / "plain", plain);
        EXPECT_TRUE(CompressFileToGzip((folder / "plain").c_str(), (folder / "packed.gz").c_str()));
        return ReadFileBytes(folder / "packed.gz");
    }

    TempFolder folder;
};

TEST_F(GzipFile, EmptyMemberAndPlainInputExpandWithoutMessage)
{
    const std::string empty = Compressed("");
    WriteWholeFile(folder / "empty.gz", empty);
    EXPECT_TRUE(ExpandGzipFile((folder / "out").c_str(), (folder / "empty.gz").c_str()));
    EXPECT_TRUE(FileExists(folder / "out"));
    EXPECT_EQ(ReadFileBytes(folder / "out"), "");

    // zlib passes input that is not gzip through unchanged.
    const std::string plain = "not gzip at all\r\n" + SampleBytes(40000);
    WriteWholeFile(folder / "plain.txt", plain);
    EXPECT_TRUE(ExpandGzipFile((folder / "out").c_str(), (folder / "plain.txt").c_str()));
    EXPECT_EQ(ReadFileBytes(folder / "out"), plain);
    EXPECT_EQ(Shown(), Texts{});
}

TEST_F(GzipFile, MissingInputOrOutputFolderIsReportedWithThePath)
{
    const std::string missing = folder / "missing.gz";
    EXPECT_FALSE(ExpandGzipFile((folder / "out").c_str(), missing.c_str()));
    EXPECT_FALSE(FileExists(folder / "out"));
    Compressed("data");
    const std::string nowhere = folder / "no/such/out";
    EXPECT_FALSE(ExpandGzipFile(nowhere.c_str(), (folder / "packed.gz").c_str()));
    EXPECT_EQ(Shown(), (Texts{"Can't open file " + missing + "\n", "Can't create file " + nowhere + "\n"}));

    RecordedMessages().clear();
    EXPECT_FALSE(CompressFileToGzip(missing.c_str(), (folder / "out.gz").c_str()));
    EXPECT_FALSE(FileExists(folder / "out.gz"));
    EXPECT_FALSE(CompressFileToGzip((folder / "plain").c_str(), nowhere.c_str()));
    EXPECT_EQ(Shown(), (Texts{"Can't open file " + missing + "\n", "Can't create file " + nowhere + "\n"}));
}

TEST_F(GzipFile, DamagedMemberFailsAndKeepsWhatWasWritten)
{
    const std::string plain = SampleBytes(300000);
    std::string damaged = Compressed(plain);
    for (size_t i = damaged.size() * 2 / 3; i < damaged.size() * 2 / 3 + 16; ++i)
        damaged[i] = char(~damaged[i]);
    WriteWholeFile(folder / "damaged.gz", damaged);

    EXPECT_FALSE(ExpandGzipFile((folder / "out").c_str(), (folder / "damaged.gz").c_str()));
    Texts texts = Shown();
    ASSERT_EQ(texts.size(), 1u);
    // "gzip: " (GzipProgramName is null), zlib's own words, a line break.
    EXPECT_EQ(texts[0].rfind("gzip: ", 0), 0u) << texts[0];
    EXPECT_GT(texts[0].size(), std::string("gzip: \n").size());
    EXPECT_EQ(texts[0].back(), '\n');
    EXPECT_EQ(texts[0].find("failed"), std::string::npos) << "the error comes from gzread";
    const std::string out = ReadFileBytes(folder / "out");
    EXPECT_GE(out.size(), kGzipCopyBufferBytes);
    EXPECT_LT(out.size(), plain.size());
    EXPECT_EQ(out.substr(0, kGzipCopyBufferBytes), plain.substr(0, kGzipCopyBufferBytes));
}

TEST_F(GzipFile, WrongTrailerOrTruncatedMemberIsAFailure)
{
    const std::string plain = SampleBytes(50000);
    const std::string good = Compressed(plain);

    std::string badCrc = good;
    badCrc[badCrc.size() - 8] ^= 1;
    WriteWholeFile(folder / "crc.gz", badCrc);
    EXPECT_FALSE(ExpandGzipFile((folder / "out").c_str(), (folder / "crc.gz").c_str()));
    std::string badLength = good;
    badLength[badLength.size() - 4] ^= 1;
    WriteWholeFile(folder / "length.gz", badLength);
    EXPECT_FALSE(ExpandGzipFile((folder / "out").c_str(), (folder / "length.gz").c_str()));
    EXPECT_EQ(Shown().size(), 2u);

    // Cut inside the trailer: every byte of data is there, only the check is missing.
    RecordedMessages().clear();
    WriteWholeFile(folder / "cut.gz", good.substr(0, good.size() - 3));
    EXPECT_FALSE(ExpandGzipFile((folder / "out").c_str(), (folder / "cut.gz").c_str()));
    EXPECT_EQ(ReadFileBytes(folder / "out"), plain);
    EXPECT_EQ(Shown(), Texts{"gzip: failed gzclose\n"});

    GzipProgramName = "dunvo_pack";
    RecordedMessages().clear();
    EXPECT_FALSE(ExpandGzipFile((folder / "out").c_str(), (folder / "cut.gz").c_str()));
    GzipProgramName = nullptr;
    EXPECT_EQ(Shown(), Texts{"dunvo_pack: failed gzclose\n"});
}

TEST_F(GzipFile, OutputThatCannotBeWrittenIsAFailure)
{
    // /dev/full accepts the open and refuses every byte: a small output fails
    // only when the buffered bytes are flushed at close, a large one at once.
    Compressed(SampleBytes(100));
    EXPECT_FALSE(ExpandGzipFile("/dev/full", (folder / "packed.gz").c_str()));
    EXPECT_FALSE(CompressFileToGzip((folder / "plain").c_str(), "/dev/full"));
    Compressed(SampleBytes(100000));
    EXPECT_FALSE(ExpandGzipFile("/dev/full", (folder / "packed.gz").c_str()));
    EXPECT_EQ(Shown(), (Texts{"gzip: failed fclose: /dev/full (the disk may be full)\n", "Error, closing a file",
                              "gzip: failed fwrite: /dev/full (the disk may be full)\n"}));
}

TEST_F(GzipFile, RoundTripsThroughTheModuleAndTheSystemGzip)
{
    // Sizes around the copy buffer catch a lost or repeated last chunk.
    for (size_t size :
         {size_t(1), size_t(kGzipCopyBufferBytes), size_t(2 * kGzipCopyBufferBytes + 1), size_t(700000)}) {
        SCOPED_TRACE(size);
        const std::string plain = SampleBytes(size, uint32_t(size));
        const std::string packed = Compressed(plain);
        ASSERT_GE(packed.size(), 18u);
        EXPECT_EQ(packed.substr(0, 4), std::string("\x1f\x8b\x08\x00", 4));

        EXPECT_TRUE(ExpandGzipFile((folder / "back").c_str(), (folder / "packed.gz").c_str()));
        EXPECT_EQ(ReadFileBytes(folder / "back"), plain);

        const std::string packedPath = folder / "packed.gz";
        EXPECT_EQ(std::system(("gzip -t '" + packedPath + "'").c_str()), 0);
        EXPECT_EQ(std::system(("gzip -dc '" + packedPath + "' > '" + folder / "system_back" + "'").c_str()),
                  0);
        EXPECT_EQ(ReadFileBytes(folder / "system_back"), plain);

        EXPECT_EQ(
            std::system(("gzip -9c '" + folder / "plain" + "' > '" + folder / "system.gz" + "'").c_str()), 0);
        EXPECT_TRUE(ExpandGzipFile((folder / "back").c_str(), (folder / "system.gz").c_str()));
        EXPECT_EQ(ReadFileBytes(folder / "back"), plain);
    }
    EXPECT_EQ(Shown(), Texts{});
}

} // namespace
