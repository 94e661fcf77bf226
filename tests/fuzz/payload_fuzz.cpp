// Fuzz target over what the setup reads from outside: each input is expanded
// as the copy page expands the payload (zlib passes input that is not gzip
// through, so the reader sees raw archives too), then read as a files archive,
// the records' data copied, read into memory or skipped in turn. A long run:
//   mkdir -p fuzz_work && nice ./fuzz_payload -max_total_time=1800 fuzz_work ../tests/fuzz/corpus/payload
#include "common/message_box_host.h"
#include "payload/archive.h"
#include "payload/gzip_file.h"

#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#define CHECK(condition) (condition) ? void() : abort()

namespace
{

void ReadArchive(FILE *archive, FILE *sink)
{
    std::vector<char> memory;
    for (int index = 0; index < kFilesArchiveRecords; ++index) {
        PayloadRecord record;
        RecordStatus status = ReadRecordHeader(archive, &record);
        CHECK(record.Name[sizeof record.Name - 1] == '\0');
        // A failed header carries no name or size, unless they are what failed.
        CHECK(status == RecordStatus::Ok || status == RecordStatus::UnsafeName ||
              status == RecordStatus::BadSize || (record.Name[0] == '\0' && record.Size == 0));
        if (status != RecordStatus::Ok)
            return;
        CHECK(IsSafeRecordName(record.Name) && record.Size <= kMaxRecordSize);
        // What the copy page asks before it allocates must agree with the read.
        const RecordStatus present = CheckRecordData(archive, record.Size);
        memory.resize(index % 3 == 1 && record.Size <= (1u << 20) ? record.Size : 0);
        status = memory.size() ? ReadRecordData(archive, record.Size, memory.data())
                 : index % 3   ? SkipRecordData(archive, record.Size)
                               : CopyRecordData(archive, record.Size, sink);
        CHECK(status == present && (status == RecordStatus::Ok || status == RecordStatus::EndedInData));
        if (status != RecordStatus::Ok)
            return;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string input = "/tmp/dunvo_fuzz_" + std::to_string(getpid()), output = input + ".dat";
    FILE *file = fopen(input.c_str(), "wb");
    fwrite(data, 1, size, file);
    fclose(file);
    RecordedMessages().clear();
    const bool expanded = ExpandGzipFile(output.c_str(), input.c_str()) == Expansion::Done;
    CHECK(expanded == RecordedMessages().empty()); // a failure always says so, success never
    FILE *archive = fopen(output.c_str(), "rb"), *sink = fopen("/dev/null", "wb");
    if (archive) {
        ReadArchive(archive, sink);
        fclose(archive);
    }
    fclose(sink);
    remove(output.c_str());
    remove(input.c_str());
    return 0;
}
