// The size check the copy page asks before it allocates a record's block.
#include "payload/archive.h"

#include <gtest/gtest.h>

#include <string>

namespace {

FILE *OpenBytes(const std::string &bytes)
{
    FILE *file = tmpfile();
    if (file) {
        fwrite(bytes.data(), 1, bytes.size(), file);
        rewind(file);
    }
    return file;
}

TEST(ArchiveCheck, TellsWhetherTheDataIsThereAndKeepsThePosition)
{
    // A record of "sound\002.mp3" claiming 10 bytes, with 10, then with 9.
    const std::string header = std::string(1, '\x0d') + "sound\\002.mp3" + std::string("\x0a\0\0\0", 4);
    for (size_t present : {size_t(10), size_t(9)}) {
        SCOPED_TRACE(present);
        FILE *archive = OpenBytes(header + std::string(present, 'd'));
        ASSERT_NE(archive, nullptr);
        PayloadRecord record;
        ASSERT_EQ(ReadRecordHeader(archive, &record), RecordStatus::Ok);
        const long before = ftell(archive);
        EXPECT_EQ(CheckRecordData(archive, record.Size),
                  present == 10 ? RecordStatus::Ok : RecordStatus::EndedInData);
        EXPECT_EQ(ftell(archive), before);
        // The check agrees with the read that follows it.
        char data[10];
        EXPECT_EQ(ReadRecordData(archive, record.Size, data),
                  present == 10 ? RecordStatus::Ok : RecordStatus::EndedInData);
        fclose(archive);
    }
}

TEST(ArchiveCheck, RefusesSizesFarBeyondTheFile)
{
    // The largest size a record may claim, and a few bytes of data: nothing is
    // there to read, so nothing of that size should be allocated for it.
    FILE *archive = OpenBytes(std::string(16, 'x'));
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(CheckRecordData(archive, kMaxRecordSize), RecordStatus::EndedInData);
    EXPECT_EQ(CheckRecordData(archive, 16), RecordStatus::Ok);
    EXPECT_EQ(CheckRecordData(archive, 17), RecordStatus::EndedInData);
    EXPECT_EQ(fgetc(archive), 'x'); // still at the start
    fclose(archive);
}

} // namespace
