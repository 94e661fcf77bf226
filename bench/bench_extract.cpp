// Host timings of the extraction, for scripts/bench.
//
//   bench_extract limit FILES.gz MP3.gz OUT
//     what no extraction can beat: both containers inflated by zlib alone,
//     output discarded, plus the installed files written from memory into OUT.
//   bench_extract pipeline FILES.gz MP3.gz TEMP OUT
//     the copy page's stages without its window, through the setup's own gzip
//     module and record reader: the payload written to TEMP\filesdata.gz and
//     expanded, every record of both archives written under OUT, every written
//     size measured, the temporaries deleted.
//
// Each prints one line "seconds S" (the timed part only) and fails loudly when
// anything went wrong, so a fast wrong run never counts.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <zlib.h>

#include "common/message_box_host.h"
#include "payload/archive.h"
#include "payload/gzip_file.h"

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void Die(const std::string &what)
{
    fprintf(stderr, "bench_extract: %s\n", what.c_str());
    exit(1);
}

std::vector<unsigned char> ReadWhole(const std::string &path)
{
    FILE *file = fopen(path.c_str(), "rb");
    if (!file)
        Die("cannot open " + path);
    std::vector<unsigned char> bytes;
    unsigned char chunk[1 << 16];
    size_t count;
    while ((count = fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + count);
    fclose(file);
    return bytes;
}

// Inflates a whole gzip member; each piece of output goes to sink.
template <typename Sink> void Inflate(const std::vector<unsigned char> &gz, Sink sink)
{
    z_stream stream = {};
    if (inflateInit2(&stream, 15 + 16) != Z_OK)
        Die("inflateInit2");
    static unsigned char out[1 << 18];
    stream.next_in = const_cast<unsigned char *>(gz.data());
    stream.avail_in = static_cast<uInt>(gz.size());
    int result;
    do {
        stream.next_out = out;
        stream.avail_out = sizeof out;
        result = inflate(&stream, Z_NO_FLUSH);
        if (result != Z_OK && result != Z_STREAM_END)
            Die("inflate: damaged member");
        sink(out, sizeof out - stream.avail_out);
    } while (result != Z_STREAM_END);
    inflateEnd(&stream);
}

// The installed path of a record name: backslashes become the host's separator,
// and every folder on the way is made, as the copy page does.
std::string InstalledPath(const std::string &root, const char *name)
{
    std::string path = root;
    path += '/';
    for (const char *p = name; *p; ++p) {
        if (*p == '\\') {
            mkdir(path.c_str(), 0777); // result ignored: it may exist
            path += '/';
        } else {
            path += *p;
        }
    }
    return path;
}

void WriteFile(const std::string &path, const void *bytes, size_t size)
{
    FILE *file = fopen(path.c_str(), "wb");
    if (!file || (size > 0 && fwrite(bytes, 1, size, file) != size) || fclose(file) != 0)
        Die("cannot write " + path);
}

// Writes every record of an archive held in memory.
int WriteRecordsFromMemory(const std::vector<unsigned char> &archive, const std::string &out)
{
    size_t at = 0;
    int records = 0;
    while (at < archive.size()) {
        const size_t length = archive[at];
        char name[kShortPathChars] = {};
        if (at + 1 + length + 4 > archive.size())
            Die("archive ends inside a record header");
        memcpy(name, &archive[at + 1], length);
        at += 1 + length;
        const uint32_t size = archive[at] | (uint32_t(archive[at + 1]) << 8) | (uint32_t(archive[at + 2]) << 16) |
                              (uint32_t(archive[at + 3]) << 24);
        at += 4;
        if (at + size > archive.size())
            Die("archive ends inside record data");
        WriteFile(InstalledPath(out, name), &archive[at], size);
        at += size;
        ++records;
    }
    return records;
}

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

int RunLimit(const std::string &filesGz, const std::string &mp3Gz, const std::string &out)
{
    const std::vector<unsigned char> containers[] = {ReadWhole(filesGz), ReadWhole(mp3Gz)};
    size_t plain = 0;
    Clock::time_point start = Clock::now();
    for (const auto &gz : containers)
        Inflate(gz, [&](const unsigned char *, size_t count) { plain += count; });
    const double inflateSeconds = Seconds(start);

    // Untimed: the archives in memory, so the second part times the writes alone.
    std::vector<unsigned char> archives[2];
    for (int i = 0; i < 2; ++i)
        Inflate(containers[i], [&](const unsigned char *bytes, size_t count) {
            archives[i].insert(archives[i].end(), bytes, bytes + count);
        });
    mkdir(out.c_str(), 0777);
    start = Clock::now();
    int records = 0;
    for (const auto &archive : archives)
        records += WriteRecordsFromMemory(archive, out);
    const double writeSeconds = Seconds(start);
    fprintf(stderr, "limit: %zu plain bytes inflated in %.3f s, %d files written in %.3f s\n", plain,
            inflateSeconds, records, writeSeconds);
    printf("seconds %.3f\n", inflateSeconds + writeSeconds);
    return 0;
}

// One archive as the copy page walks it: every record read whole into a
// zero-filled block of its own size, written in one call, its size measured.
int InstallArchive(const std::string &archivePath, int records, const std::string &out)
{
    FILE *archive = fopen(archivePath.c_str(), "rb");
    if (!archive)
        Die("cannot open " + archivePath);
    for (int i = 0; i < records; ++i) {
        PayloadRecord record;
        if (ReadRecordHeader(archive, &record) != RecordStatus::Ok)
            Die("bad record " + std::to_string(i) + " in " + archivePath);
        const std::string path = InstalledPath(out, record.Name);
        void *block = calloc(record.Size ? record.Size : 1, 1);
        if (!block || ReadRecordData(archive, record.Size, block) != RecordStatus::Ok)
            Die("cannot read record " + path);
        WriteFile(path, block, record.Size);
        free(block);
        struct stat written;
        if (stat(path.c_str(), &written) != 0 || uint64_t(written.st_size) != record.Size)
            Die("wrong size written: " + path);
    }
    fclose(archive);
    return records;
}

int RunPipeline(const std::string &filesGz, const std::string &mp3Gz, const std::string &temp,
                const std::string &out)
{
    // The resource is already in memory when the page opens.
    const std::vector<unsigned char> resource = ReadWhole(filesGz);
    mkdir(temp.c_str(), 0777);
    mkdir(out.c_str(), 0777);
    const std::string gzipPath = temp + "/filesdata.gz", payloadPath = temp + "/filesdata.dat",
                      recitationPath = temp + "/mp3data.dat";

    const Clock::time_point start = Clock::now();
    WriteFile(gzipPath, resource.data(), resource.size());
    if (ExpandGzipFile(payloadPath.c_str(), gzipPath.c_str()) != Expansion::Done)
        Die("payload expansion failed");
    InstallArchive(payloadPath, kFilesArchiveRecords, out);
    unlink(payloadPath.c_str());
    unlink(gzipPath.c_str());
    if (ExpandGzipFile(recitationPath.c_str(), mp3Gz.c_str()) != Expansion::Done)
        Die("side file expansion failed");
    InstallArchive(recitationPath, kRecitationArchiveRecords, out);
    unlink(recitationPath.c_str());
    const double seconds = Seconds(start);

    if (!RecordedMessages().empty())
        Die("the gzip module showed: " + RecordedMessages().front().text);
    printf("seconds %.3f\n", seconds);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 5 && !strcmp(argv[1], "limit"))
        return RunLimit(argv[2], argv[3], argv[4]);
    if (argc == 6 && !strcmp(argv[1], "pipeline"))
        return RunPipeline(argv[2], argv[3], argv[4], argv[5]);
    fprintf(stderr, "usage: bench_extract limit FILES.gz MP3.gz OUT\n"
                    "       bench_extract pipeline FILES.gz MP3.gz TEMP OUT\n");
    return 2;
}
