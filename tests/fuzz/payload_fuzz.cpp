// Fuzz target over what the setup reads from outside: each input is expanded
// as the copy page expands the payload (input that is not gzip passes through
// unchanged, so the reader sees raw archives too), then read as a files
// archive, each record's data copied, read into memory or skipped in turn.
// Beyond the sanitizers it checks what the two layers promise their callers.
// A long run, from the host build folder:
//   mkdir -p fuzz_work && nice -n 19 ./fuzz_payload -max_total_time=1800 fuzz_work
//   ../tests/fuzz/corpus/payload
#include "common/message_box_host.h"
#include "payload/archive.h"
#include "payload/gzip_file.h"

#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace
{

void Check(bool condition)
{
    if (!condition)
        abort();
}

void ReadArchive(FILE *archive)
{
    FILE *sink = fopen("/dev/null", "wb");
    std::vector<char> memory;
    for (int index = 0; index < kFilesArchiveRecords; ++index) {
        PayloadRecord record;
        RecordStatus status = ReadRecordHeader(archive, &record);
        Check(record.Name[sizeof record.Name - 1] == '\0');
        if (status != RecordStatus::Ok) { // a failed header carries no name, unless it is the name at fault
            Check(status == RecordStatus::UnsafeName || status == RecordStatus::BadSize ||
                  (record.Name[0] == '\0' && record.Size == 0));
            break;
        }
        Check(IsSafeRecordName(record.Name) && record.Size <= kMaxRecordSize);
        // What the copy page asks before it allocates must agree with the read.
        const RecordStatus present = CheckRecordData(archive, record.Size);
        if (index % 3 == 1 && record.Size <= (1u << 20)) {
            memory.resize(record.Size);
            status = ReadRecordData(archive, record.Size, memory.data());
        } else {
            status =
                index % 3 ? SkipRecordData(archive, record.Size) : CopyRecordData(archive, record.Size, sink);
        }
        Check(status == present && (status == RecordStatus::Ok || status == RecordStatus::EndedInData));
        if (status != RecordStatus::Ok)
            break;
    }
    fclose(sink);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string input = "/tmp/dunvo_fuzz_" + std::to_string(getpid()) + ".gz",
                             output = "/tmp/dunvo_fuzz_" + std::to_string(getpid()) + ".dat";
    FILE *file = fopen(input.c_str(), "wb");
    if (!file)
        return 0;
    fwrite(data, 1, size, file);
    fclose(file);
    RecordedMessages().clear();
    const bool expanded = ExpandGzipFile(output.c_str(), input.c_str());
    Check(expanded == RecordedMessages().empty()); // a failure always says so, success never
    if (FILE *archive = fopen(output.c_str(), "rb")) {
        ReadArchive(archive);
        fclose(archive);
    }
    remove(output.c_str());
    remove(input.c_str());
    return 0;
}
