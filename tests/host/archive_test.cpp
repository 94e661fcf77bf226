#include "payload/archive.h"

#include "payload_test_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Record(const std::string &name, const std::string &data)
{
    const uint32_t size = uint32_t(data.size());
    std::string bytes(1, char(name.size()));
    bytes += name;
    bytes += {char(size), char(size >> 8), char(size >> 16), char(size >> 24)};
    return bytes + data;
}

// A temporary file holding the bytes, open for reading at the start.
FILE *OpenBytes(const std::string &bytes)
{
    FILE *file = tmpfile();
    if (file) {
        fwrite(bytes.data(), 1, bytes.size(), file);
        rewind(file);
    }
    return file;
}

struct Sample {
    std::string name, data;
};

TEST(ArchiveReader, ReadsEachRecordAndNothingBeyondIt)
{
    const std::string longName(kMaxRecordNameLength, 'n');
    const std::vector<Sample> records = {{"a", ""}, {longName, "12345"}, {"images\\earth.bmp", "BMx"}};
    std::string bytes;
    for (const Sample &sample : records)
        bytes += Record(sample.name, sample.data);
    const std::string extra = Record("never.read", "zz");
    FILE *archive = OpenBytes(bytes + extra);
    ASSERT_NE(archive, nullptr);

    PayloadRecord record;
    memset(&record, 0x55, sizeof record);
    ASSERT_EQ(ReadRecordHeader(archive, &record), RecordStatus::Ok);
    EXPECT_STREQ(record.Name, "a");
    EXPECT_EQ(record.Size, 0u);
    EXPECT_EQ(record.Name[kShortPathChars - 1], '\0'); // the buffer is zero-filled behind the name
    EXPECT_EQ(SkipRecordData(archive, record.Size), RecordStatus::Ok);

    ASSERT_EQ(ReadRecordHeader(archive, &record), RecordStatus::Ok);
    EXPECT_EQ(std::string(record.Name), longName);
    char data[5];
    ASSERT_EQ(ReadRecordData(archive, record.Size, data), RecordStatus::Ok);
    EXPECT_EQ(std::string(data, 5), "12345");

    ASSERT_EQ(ReadRecordHeader(archive, &record), RecordStatus::Ok);
    EXPECT_STREQ(record.Name, "images\\earth.bmp");
    FILE *out = tmpfile();
    ASSERT_EQ(CopyRecordData(archive, record.Size, out), RecordStatus::Ok);
    rewind(out);
    EXPECT_EQ(fgetc(out), 'B');
    fclose(out);

    // The reader stops exactly at the end of what it was asked for.
    EXPECT_EQ(ftell(archive), long(bytes.size()));
    fclose(archive);
}

// Cut a two-record archive at every length: the reader names the part that
// is short, and a failed record never carries a name or size.
TEST(ArchiveReader, ReportsWhereATruncatedArchiveEnds)
{
    const std::string first = Record("qtext\\A.TX_", "abcdefgh");
    const std::string whole = first + Record("b", std::string(40000, 'x'));
    enum Reading { Copy, Memory, Skip };
    for (Reading reading : {Copy, Memory, Skip})
        for (size_t cut = 0; cut < whole.size(); cut += (cut < first.size() + 20 ? 1 : 997)) {
            SCOPED_TRACE(testing::Message() << "cut " << cut << " reading " << reading);
            FILE *archive = OpenBytes(whole.substr(0, cut));
            ASSERT_NE(archive, nullptr);
            size_t start = 0;
            RecordStatus status = RecordStatus::Ok;
            PayloadRecord record;
            while (status == RecordStatus::Ok) {
                status = ReadRecordHeader(archive, &record);
                if (status != RecordStatus::Ok)
                    break;
                std::vector<char> memory(record.Size);
                FILE *sink = fopen("/dev/null", "wb");
                status = reading == Copy     ? CopyRecordData(archive, record.Size, sink)
                         : reading == Memory ? ReadRecordData(archive, record.Size, memory.data())
                                             : SkipRecordData(archive, record.Size);
                fclose(sink);
                if (status == RecordStatus::Ok)
                    start += 5 + strlen(record.Name) + record.Size;
            }
            fclose(archive);
            const size_t nameLength = start == 0 ? 11 : 1;
            const size_t into = cut - start;
            const RecordStatus expected = into == 0               ? RecordStatus::EndedBeforeRecord
                                          : into < 1 + nameLength ? RecordStatus::EndedInName
                                          : into < 5 + nameLength ? RecordStatus::EndedInSize
                                                                  : RecordStatus::EndedInData;
            EXPECT_EQ(status, expected);
            if (expected != RecordStatus::EndedInData) {
                EXPECT_STREQ(record.Name, "");
                EXPECT_EQ(record.Size, 0u);
            }
        }
}

TEST(ArchiveReader, RefusesUnsafeNamesAndSizes)
{
    const char *const unsafe[] = {
        "",
        "\\windows\\x.dll",
        "/etc/passwd",
        "C:\\x",
        "c:x",
        "readme.rtf:stream",
        "..",
        "a\\..\\..\\x",
        "..\\x",
        "a\\..",
        "a\\.\\b",
        ". .\\x",
        "a/b",
        "a\\\\b",
        "a\\",
        "sound\\x.",
        "sound\\x ",
        "CON",
        "nul.txt",
        "sound\\Com1.mp3",
        "LPT9",
        "a*b",
        "a?b",
        "a\"b",
        "a<b",
        "a|b",
        "tab\there",
        "conin$",
        "CONOUT$.txt",
        "COM\xB9",
    };
    for (const char *name : unsafe)
        EXPECT_FALSE(IsSafeRecordName(name)) << name;
    const char *const safe[] = {"dunvo.exe", "qtext\\ALBANIAN.TX_", "sound\\001.mp3", "a..b",
                                ".profile",  "CONFIG.SYS",          "COM0",           "console",
                                "x"};
    for (const char *name : safe)
        EXPECT_TRUE(IsSafeRecordName(name)) << name;
    EXPECT_TRUE(IsSafeRecordName(std::string(255, 'n').c_str()));
    EXPECT_FALSE(IsSafeRecordName(std::string(256, 'n').c_str()));

    PayloadRecord record;
    FILE *archive = OpenBytes(Record("a\\..\\..\\evil.exe", "x"));
    EXPECT_EQ(ReadRecordHeader(archive, &record), RecordStatus::UnsafeName);
    EXPECT_STREQ(record.Name, "a\\..\\..\\evil.exe");
    fclose(archive);

    archive = OpenBytes(Record("", ""));
    EXPECT_EQ(ReadRecordHeader(archive, &record), RecordStatus::UnsafeName);
    fclose(archive);

    // A zero byte would cut the name short of what the record stores.
    archive = OpenBytes(Record(std::string("ok\0.exe", 7), ""));
    EXPECT_EQ(ReadRecordHeader(archive, &record), RecordStatus::UnsafeName);
    fclose(archive);

    for (uint32_t size : {0x80000000u, 0xFFFFFFFFu}) {
        std::string bytes = Record("big", "");
        memcpy(&bytes[4], &size, 4); // the host is little-endian, like the format
        archive = OpenBytes(bytes);
        EXPECT_EQ(ReadRecordHeader(archive, &record), RecordStatus::BadSize);
        EXPECT_EQ(record.Size, size);
        fclose(archive);
    }
    std::string largest = Record("big", "");
    memcpy(&largest[4], &kMaxRecordSize, 4);
    archive = OpenBytes(largest);
    EXPECT_EQ(ReadRecordHeader(archive, &record), RecordStatus::Ok);
    EXPECT_EQ(SkipRecordData(archive, record.Size), RecordStatus::EndedInData);
    fclose(archive);
}

TEST(ArchiveWriter, WritesWhatTheReaderReadsAndRefusesTheRest)
{
    FILE *archive = tmpfile();
    ASSERT_EQ(WriteRecordHeader(archive, "sound\\001.mp3", 3), RecordStatus::Ok);
    fwrite("ID3", 1, 3, archive);
    EXPECT_EQ(WriteRecordHeader(archive, "..\\x", 1), RecordStatus::UnsafeName);
    EXPECT_EQ(WriteRecordHeader(archive, std::string(256, 'n').c_str(), 1), RecordStatus::UnsafeName);
    EXPECT_EQ(WriteRecordHeader(archive, "x", 0x80000000u), RecordStatus::BadSize);
    EXPECT_EQ(ftell(archive), long(Record("sound\\001.mp3", "ID3").size())) << "a refusal writes nothing";
    rewind(archive);
    std::string bytes(64, '\0');
    bytes.resize(fread(&bytes[0], 1, bytes.size(), archive));
    EXPECT_EQ(bytes, Record("sound\\001.mp3", "ID3"));
    fclose(archive);

    // An output that refuses bytes is told apart from a short archive.
    archive = OpenBytes(std::string(100000, 'd'));
    FILE *full = fopen("/dev/full", "wb");
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(CopyRecordData(archive, 100000, full), RecordStatus::WriteFailed);
    fclose(full);
    fclose(archive);
}

} // namespace
