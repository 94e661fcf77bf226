// Fuzz target over what the setup reads from outside: the gzip expansion and
// the record reader. Each input is written to a file and expanded as the copy
// page expands the payload (input that is not gzip passes through unchanged,
// so the reader sees raw inputs too); the result is then read as a files
// archive, each record's data copied, read into memory or skipped in turn.
// Beyond the sanitizers, it checks what the reader promises its callers.
//
// Built three ways from this file: fuzz_payload does both layers (the short
// run is the CTest test "fuzz_payload"); fuzz_reader hands the input straight
// to the reader and fuzz_gzip only expands it (and checks that what the
// packing tool compresses expands back unchanged), so a long campaign spends
// its time on one layer each. A long run, from the host build folder:
//   mkdir -p fuzz_work/reader && nice -n 19 ./fuzz_reader -max_total_time=1800 \
//       -jobs=1 fuzz_work/reader ../tests/fuzz/corpus/payload
// Every target reads the one corpus: raw archives and gzip members alike.
#include "common/message_box_host.h"
#include "payload/archive.h"
#include "payload/gzip_file.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string gInput, gOutput;

void Check(bool condition)
{
    if (!condition)
        abort();
}

#if !defined(DUNVO_FUZZ_GZIP)
void ReadArchive(FILE *archive)
{
    FILE *sink = fopen("/dev/null", "wb");
    std::vector<char> memory;
    for (int index = 0; index < kFilesArchiveRecords; ++index) {
        PayloadRecord record;
        RecordStatus status = ReadRecordHeader(archive, &record);
        Check(record.Name[sizeof record.Name - 1] == '\0');
        if (status != RecordStatus::Ok) {
            if (status != RecordStatus::UnsafeName && status != RecordStatus::BadSize)
                Check(record.Name[0] == '\0' && record.Size == 0);
            break;
        }
        Check(IsSafeRecordName(record.Name) && record.Size <= kMaxRecordSize);
        // What the copy page asks before it allocates must agree with the read.
        const RecordStatus present = CheckRecordData(archive, record.Size);
        if (index % 3 == 0) {
            status = CopyRecordData(archive, record.Size, sink);
        } else if (index % 3 == 1 && record.Size <= (1u << 20)) {
            memory.resize(record.Size);
            status = ReadRecordData(archive, record.Size, memory.data());
        } else {
            status = SkipRecordData(archive, record.Size);
        }
        Check(status == RecordStatus::Ok || status == RecordStatus::EndedInData);
        Check(status == present);
        if (status != RecordStatus::Ok)
            break;
    }
    fclose(sink);
}
#endif

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    const std::string base = "/tmp/dunvo_fuzz_" + std::to_string(getpid());
    gInput = base + ".gz";
    gOutput = base + ".dat";
    return 0;
}

#if defined(DUNVO_FUZZ_READER)
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FILE *archive = fopen(gOutput.c_str(), "wb");
    if (!archive)
        return 0;
    fwrite(data, 1, size, archive);
    fclose(archive);
    archive = fopen(gOutput.c_str(), "rb");
    if (archive) {
        ReadArchive(archive);
        fclose(archive);
    }
    remove(gOutput.c_str());
    return 0;
}
#elif defined(DUNVO_FUZZ_GZIP)
namespace {

std::vector<char> ReadWhole(const char *path)
{
    std::vector<char> bytes;
    if (FILE *file = fopen(path, "rb")) {
        char buffer[4096];
        size_t count;
        while ((count = fread(buffer, 1, sizeof buffer, file)) > 0)
            bytes.insert(bytes.end(), buffer, buffer + count);
        fclose(file);
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FILE *input = fopen(gInput.c_str(), "wb");
    if (!input)
        return 0;
    fwrite(data, 1, size, input);
    fclose(input);

    const bool expanded = ExpandGzipFile(gOutput.c_str(), gInput.c_str());
    Check(expanded == RecordedMessages().empty());
    RecordedMessages().clear();
    remove(gOutput.c_str());

    // The other direction: the input as a payload source packs and expands
    // back to the same bytes.
    Check(CompressFileToGzip(gInput.c_str(), gOutput.c_str()));
    remove(gInput.c_str());
    Check(ExpandGzipFile(gInput.c_str(), gOutput.c_str()));
    Check(RecordedMessages().empty());
    const std::vector<char> back = ReadWhole(gInput.c_str());
    Check(back.size() == size && (size == 0 || memcmp(back.data(), data, size) == 0));
    remove(gOutput.c_str());
    remove(gInput.c_str());
    return 0;
}
#else
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FILE *input = fopen(gInput.c_str(), "wb");
    if (!input)
        return 0;
    fwrite(data, 1, size, input);
    fclose(input);

    const bool expanded = ExpandGzipFile(gOutput.c_str(), gInput.c_str());
    Check(expanded == RecordedMessages().empty()); // a failure always says so, success never
    RecordedMessages().clear();

    FILE *archive = fopen(gOutput.c_str(), "rb");
    if (archive) {
        ReadArchive(archive);
        fclose(archive);
    }
    remove(gOutput.c_str());
    remove(gInput.c_str());
    return 0;
}
#endif
