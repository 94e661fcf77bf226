// The record reader is the one place that trusts nothing read from an
// archive: every way an archive can be short, oversized or unsafe.
#include "payload/archive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{

// A record as the format stores it, written out here rather than by the writer under test.
std::string Record(const std::string &name, const std::string &data, uint32_t size)
{
    return std::string(1, char(name.size())) + name +
           std::string{char(size), char(size >> 8), char(size >> 16), char(size >> 24)} + data;
}
std::string Record(const std::string &name, const std::string &data)
{
    return Record(name, data, uint32_t(data.size()));
}

FILE *OpenBytes(const std::string &bytes)
{
    FILE *file = tmpfile();
    fwrite(bytes.data(), 1, bytes.size(), file);
    rewind(file);
    return file;
}

// Cut two records at every length and read them each of the three ways: the
// reader names the part that is short, a failed header carries no name or
// size, the size check agrees with the read and keeps the position, and a
// whole archive is read to its last byte and no further.
TEST(ArchiveReader, ReportsWhereATruncatedArchiveEnds)
{
    const std::string first = Record("qtext\\A.TX_", "abcdefgh");
    const std::string whole = first + Record("b", std::string(40000, 'x'));
    enum Reading { Copy, Memory, Skip };
    for (Reading reading : {Copy, Memory, Skip})
        for (size_t cut = 0; cut <= whole.size(); cut += (cut < first.size() + 20 ? 1 : 997)) {
            SCOPED_TRACE(testing::Message() << "cut " << cut << " reading " << reading);
            FILE *archive = OpenBytes(whole.substr(0, cut) + (cut == whole.size() ? "\x01z" : ""));
            FILE *sink = tmpfile();
            size_t start = 0;
            std::string copied;
            RecordStatus status = RecordStatus::Ok;
            PayloadRecord record;
            for (int index = 0; index < 2 && status == RecordStatus::Ok; ++index) {
                memset(&record, 0x55, sizeof record);
                status = ReadRecordHeader(archive, &record);
                EXPECT_EQ(record.Name[sizeof record.Name - 1], '\0');
                if (status != RecordStatus::Ok)
                    break;
                const long before = ftell(archive);
                const RecordStatus present = CheckRecordData(archive, record.Size);
                EXPECT_EQ(ftell(archive), before);
                std::vector<char> memory(record.Size);
                status = reading == Copy     ? CopyRecordData(archive, record.Size, sink)
                         : reading == Memory ? ReadRecordData(archive, record.Size, memory.data())
                                             : SkipRecordData(archive, record.Size);
                EXPECT_EQ(present, status);
                EXPECT_TRUE(status != RecordStatus::Ok || reading != Memory || index > 0 ||
                            std::string(memory.begin(), memory.end()) == "abcdefgh");
                if (status == RecordStatus::Ok)
                    start += 5 + strlen(record.Name) + record.Size;
            }
            const size_t into = cut - start, nameLength = start == 0 ? 11 : 1;
            if (cut == whole.size()) {
                EXPECT_EQ(status, RecordStatus::Ok);
                EXPECT_EQ(ftell(archive), long(whole.size())) << "read beyond the last record";
                EXPECT_EQ(ftell(sink), reading == Copy ? 40008L : 0L);
            } else {
                const RecordStatus expected = into == 0               ? RecordStatus::EndedBeforeRecord
                                              : into < 1 + nameLength ? RecordStatus::EndedInName
                                              : into < 5 + nameLength ? RecordStatus::EndedInSize
                                                                      : RecordStatus::EndedInData;
                EXPECT_EQ(status, expected);
                EXPECT_TRUE(expected == RecordStatus::EndedInData ||
                            (record.Name[0] == '\0' && record.Size == 0));
            }
            fclose(archive);
            fclose(sink);
        }
}

TEST(ArchiveReader, RefusesUnsafeNamesAndSizes)
{
    // One case for each rule: empty, rooted, drive, stream, dot components,
    // trailing dot or blank, separators, devices with or without an
    // extension and in any case, characters Windows refuses, too long.
    for (const std::string &name : std::vector<std::string>{"",          "\\windows\\x.dll",
                                                            "C:\\x",     "readme.rtf:stream",
                                                            "..",        "a\\..\\..\\x",
                                                            ". .\\x",    "a/b",
                                                            "a\\\\b",    "a\\",
                                                            "sound\\x.", "sound\\x ",
                                                            "nul.txt",   "sound\\Com1.mp3",
                                                            "LPT9",      "COM\xB9",
                                                            "conin$",    "a*b",
                                                            "a\"b",      "a|b",
                                                            "tab\there", std::string(256, 'n')})
        EXPECT_FALSE(IsSafeRecordName(name.c_str())) << name;
    for (const std::string &name : std::vector<std::string>{"qtext\\ALBANIAN.TX_", "a..b", ".profile", "COM0",
                                                            "console", "CONFIG.SYS", std::string(255, 'n')})
        EXPECT_TRUE(IsSafeRecordName(name.c_str())) << name;

    struct Case {
        std::string bytes;
        RecordStatus status;
        const char *name; // kept for the message
        uint32_t size;
    } cases[] = {
        {Record("a\\..\\..\\evil.exe", "x"), RecordStatus::UnsafeName, "a\\..\\..\\evil.exe", 1},
        {Record("", ""), RecordStatus::UnsafeName, "", 0},
        // A zero byte would cut the name short of what the record stores.
        {Record(std::string("ok\0.exe", 7), ""), RecordStatus::UnsafeName, "ok", 0},
        {Record("big", "", 0x80000000u), RecordStatus::BadSize, "big", 0x80000000u},
        {Record("big", "", 0xFFFFFFFFu), RecordStatus::BadSize, "big", 0xFFFFFFFFu},
        {Record("big", "", kMaxRecordSize), RecordStatus::Ok, "big", kMaxRecordSize},
    };
    for (const Case &c : cases) {
        FILE *archive = OpenBytes(c.bytes);
        PayloadRecord record;
        EXPECT_EQ(ReadRecordHeader(archive, &record), c.status) << c.name;
        EXPECT_STREQ(record.Name, c.name);
        EXPECT_EQ(record.Size, c.size);
        if (c.status == RecordStatus::Ok) { // nothing of that size is there to allocate or skip
            EXPECT_EQ(CheckRecordData(archive, record.Size), RecordStatus::EndedInData);
            EXPECT_EQ(SkipRecordData(archive, record.Size), RecordStatus::EndedInData);
        }
        fclose(archive);
    }
}

TEST(ArchiveWriter, WritesWhatTheReaderReadsAndRefusesTheRest)
{
    FILE *archive = tmpfile();
    ASSERT_EQ(WriteRecordHeader(archive, "sound\\001.mp3", 0x01020304), RecordStatus::Ok);
    EXPECT_EQ(WriteRecordHeader(archive, "..\\x", 1), RecordStatus::UnsafeName);
    EXPECT_EQ(WriteRecordHeader(archive, "x", 0x80000000u), RecordStatus::BadSize);
    rewind(archive);
    std::string bytes(64, '\0');
    bytes.resize(fread(&bytes[0], 1, bytes.size(), archive));
    EXPECT_EQ(bytes, Record("sound\\001.mp3", "", 0x01020304)) << "a refusal writes nothing";
    fclose(archive);

    // An output that refuses bytes is told apart from a short archive.
    archive = OpenBytes(std::string(100000, 'd'));
    FILE *full = fopen("/dev/full", "wb");
    EXPECT_EQ(CopyRecordData(archive, 100000, full), RecordStatus::WriteFailed);
    fclose(full);
    fclose(archive);
}

} // namespace
