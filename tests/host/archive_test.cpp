// The record reader is the one place that trusts nothing read from an
// archive: every way an archive can be short, oversized or unsafe.
#include "payload/archive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{

// A record as the format stores it, written here rather than by the writer.
std::string Record(const std::string &name, const std::string &data, size_t size)
{
    return char(name.size()) + name +
           std::string{char(size), char(size >> 8), char(size >> 16), char(size >> 24)} + data;
}

FILE *OpenBytes(const std::string &bytes)
{
    FILE *file = tmpfile();
    fwrite(bytes.data(), 1, bytes.size(), file);
    rewind(file);
    return file;
}

// Two records cut at every length, read each of the three ways: the reader
// names the part that is short, a failed header carries no name or size, the
// size check agrees with the read, and a whole archive is read to its last
// byte and no further.
TEST(ArchiveReader, NamesThePartWhereATruncatedArchiveEnds)
{
    const std::string first = Record("qtext\\A.TX_", "abcdefgh", 8),
                      whole = first + Record("b", std::string(40000, 'x'), 40000);
    std::vector<size_t> cuts = {whole.size()};
    for (size_t cut = 0; cut < whole.size(); cut += (cut < first.size() + 20 ? 1 : 997))
        cuts.push_back(cut);
    for (size_t cut : cuts)
        for (int reading = 0; reading < 3; ++reading) {
            const std::string bytes = whole.substr(0, cut);
            FILE *archive = OpenBytes(cut == whole.size() ? bytes + "\x01z" : bytes), *sink = tmpfile();
            PayloadRecord record;
            RecordStatus status = RecordStatus::Ok;
            size_t start = 0;
            for (int index = 0; index < 2 && status == RecordStatus::Ok; ++index) {
                if ((status = ReadRecordHeader(archive, &record)) != RecordStatus::Ok)
                    break;
                const RecordStatus present = CheckRecordData(archive, record.Size);
                std::vector<char> memory(record.Size);
                status = reading == 0   ? CopyRecordData(archive, record.Size, sink)
                         : reading == 1 ? ReadRecordData(archive, record.Size, memory.data())
                                        : SkipRecordData(archive, record.Size);
                EXPECT_EQ(present, status) << cut;
                start += status == RecordStatus::Ok ? 5 + strlen(record.Name) + record.Size : 0;
            }
            const size_t into = cut - start, nameLength = start == 0 ? 11 : 1;
            const RecordStatus expected = cut == whole.size()     ? RecordStatus::Ok
                                          : into == 0             ? RecordStatus::EndedBeforeRecord
                                          : into < 1 + nameLength ? RecordStatus::EndedInName
                                          : into < 5 + nameLength ? RecordStatus::EndedInSize
                                                                  : RecordStatus::EndedInData;
            EXPECT_EQ(status, expected) << "cut " << cut << " reading " << reading;
            EXPECT_TRUE(status <= RecordStatus::EndedBeforeRecord || status == RecordStatus::EndedInData ||
                        (record.Name[0] == '\0' && record.Size == 0));
            EXPECT_TRUE(cut < whole.size() || ftell(archive) == long(whole.size()));
            fclose(archive);
            fclose(sink);
        }
}

TEST(ArchiveReader, RefusesUnsafeNamesAndSizes)
{
    // A case for each rule: empty, rooted, drive, stream, dot components, a
    // trailing dot or blank, separators, devices with or without an extension
    // and in any case, characters Windows refuses, too long.
    // clang-format off
    for (const std::string &name : std::vector<std::string>{"", "\\windows\\x.dll", "C:\\x", "readme.rtf:stream", "..",
             "a\\..\\..\\x", ". .\\x", "a/b", "a\\\\b", "a\\", "sound\\x.", "sound\\x ", "nul.txt", "sound\\Com1.mp3",
             "LPT9", "COM\xB9", "conin$", "a*b", "a\"b", "a|b", "tab\there", std::string(256, 'n')})
        EXPECT_FALSE(IsSafeRecordName(name.c_str())) << name;
    for (const std::string &name : std::vector<std::string>{"qtext\\ALBANIAN.TX_", "a..b", ".profile", "COM0", "console",
             "CONFIG.SYS", std::string(255, 'n')})
        EXPECT_TRUE(IsSafeRecordName(name.c_str())) << name;
    // clang-format on
    // The name read is kept for the message; a zero byte would cut it short of
    // what the record stores; the largest size is allowed, but no such block
    // is there to allocate or skip.
    const std::pair<std::string, RecordStatus> cases[] = {
        {Record("a\\..\\x.exe", "x", 1), RecordStatus::UnsafeName},
        {Record(std::string("x\0.exe", 6), "", 0), RecordStatus::UnsafeName},
        {Record("x", "", 0x80000000u), RecordStatus::BadSize},
        {Record("x", "", kMaxRecordSize), RecordStatus::Ok}};
    for (const auto &[bytes, status] : cases) {
        FILE *archive = OpenBytes(bytes);
        PayloadRecord record;
        EXPECT_EQ(ReadRecordHeader(archive, &record), status) << bytes;
        EXPECT_EQ(record.Name[0], bytes[1]); // the name read, kept
        EXPECT_EQ(CheckRecordData(archive, kMaxRecordSize), RecordStatus::EndedInData);
        EXPECT_EQ(SkipRecordData(archive, kMaxRecordSize), RecordStatus::EndedInData);
        fclose(archive);
    }
    // An output that refuses bytes is told apart from a short archive.
    FILE *archive = OpenBytes(std::string(100000, 'd')), *full = fopen("/dev/full", "wb");
    EXPECT_EQ(CopyRecordData(archive, 100000, full), RecordStatus::WriteFailed);
    fclose(full);
    fclose(archive);

    // The packing tool's writer stores what the reader reads.
    PayloadRecord record;
    archive = tmpfile();
    EXPECT_EQ(WriteRecordHeader(archive, "sound\\001.mp3", 0x01020304), RecordStatus::Ok);
    rewind(archive);
    EXPECT_EQ(ReadRecordHeader(archive, &record), RecordStatus::Ok);
    EXPECT_EQ(std::string(record.Name) + " " + std::to_string(record.Size), "sound\\001.mp3 16909060");
    fclose(archive);
}

} // namespace
