// Builds the setup's payload containers from a folder of files:
//
//   dunvo_pack files <payload folder> <out.gz>          the files archive (47 records)
//   dunvo_pack recitations <recitation folder> <out.gz> the side file "mp3data.gz" (113 records)
//
// A record "images\earth.bmp" is read from <folder>/images/earth.bmp. Every
// file is checked before anything is written: a missing file, a translation
// or recitation whose size disagrees with the catalogue (the setup compares
// the installed sizes with it), or a name or size the record format cannot
// hold is refused with a message that names the file, and the exit code is 1.
// The plain archive is then gzipped at level 9 by the setup's own gzip module.
#include "common/message_box_host.h"
#include "payload/archive.h"
#include "payload/gzip_file.h"
#include "payload/payload_table.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Source {
    PayloadEntry entry;
    std::string path;
    const char *sizeRule; // what fixes the size, or null when any size will do
};

std::string PathInFolder(const std::string &folder, const char *name)
{
    std::string path = folder + "/" + name;
    for (size_t i = folder.size() + 1; i < path.size(); ++i)
        if (path[i] == '\\')
            path[i] = '/';
    return path;
}

bool ListSources(bool files, const std::string &folder, std::vector<Source> *sources)
{
    const int count = files ? kFilesArchiveRecords : kRecitationArchiveRecords;
    for (int record = 0; record < count; ++record) {
        Source source{};
        const bool described = files ? DescribeFilesRecord(record, &source.entry)
                                     : DescribeRecitation(record + 1, &source.entry);
        if (!described)
            return false;
        if (!files || record == kFilesArchiveRecords - 1)
            source.sizeRule = "its entry of the recitation sizes";
        else if (record < kFirstFixedRecord)
            source.sizeRule = "its catalogue row";
        source.path = PathInFolder(folder, source.entry.Name);
        sources->push_back(source);
    }
    return true;
}

// Reports every problem, not only the first, so one run shows all there is to mend.
bool CheckSources(const std::vector<Source> &sources)
{
    bool ok = true;
    for (const Source &source : sources) {
        struct stat info;
        if (stat(source.path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            fprintf(stderr, "dunvo_pack: missing file %s (record \"%s\")\n", source.path.c_str(),
                    source.entry.Name);
            ok = false;
        } else if (source.sizeRule && uint64_t(info.st_size) != source.entry.Size) {
            fprintf(stderr, "dunvo_pack: %s has %llu bytes, but %s says %u\n", source.path.c_str(),
                    static_cast<unsigned long long>(info.st_size), source.sizeRule, source.entry.Size);
            ok = false;
        } else if (uint64_t(info.st_size) > kMaxRecordSize) {
            fprintf(stderr, "dunvo_pack: %s is too large for a record (%llu bytes)\n", source.path.c_str(),
                    static_cast<unsigned long long>(info.st_size));
            ok = false;
        }
        if (!IsSafeRecordName(source.entry.Name)) {
            fprintf(stderr, "dunvo_pack: the name \"%s\" does not fit the record format\n",
                    source.entry.Name);
            ok = false;
        }
    }
    return ok;
}

bool WriteArchive(const std::vector<Source> &sources, const std::string &plainPath)
{
    FILE *archive = fopen(plainPath.c_str(), "wb");
    if (!archive) {
        fprintf(stderr, "dunvo_pack: cannot create %s\n", plainPath.c_str());
        return false;
    }
    bool ok = true;
    for (const Source &source : sources) {
        FILE *input = fopen(source.path.c_str(), "rb");
        struct stat info;
        RecordStatus status = RecordStatus::EndedInData;
        if (input && fstat(fileno(input), &info) == 0 && uint64_t(info.st_size) <= kMaxRecordSize) {
            const uint32_t size = uint32_t(info.st_size);
            status = WriteRecordHeader(archive, source.entry.Name, size);
            if (status == RecordStatus::Ok)
                status = CopyRecordData(input, size, archive);
        }
        if (input)
            fclose(input);
        if (status != RecordStatus::Ok) {
            fprintf(stderr, "dunvo_pack: cannot copy %s into %s\n", source.path.c_str(), plainPath.c_str());
            ok = false;
            break;
        }
    }
    if (fclose(archive) != 0 && ok) {
        fprintf(stderr, "dunvo_pack: cannot write %s\n", plainPath.c_str());
        ok = false;
    }
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    const bool files = argc == 4 && !strcmp(argv[1], "files");
    if (argc != 4 || (!files && strcmp(argv[1], "recitations"))) {
        fprintf(stderr, "usage: dunvo_pack files <payload folder> <out.gz>\n"
                        "       dunvo_pack recitations <recitation folder> <out.gz>\n");
        return 2;
    }
    const std::string output = argv[3];
    std::vector<Source> sources;
    if (!ListSources(files, argv[2], &sources)) {
        fprintf(stderr, "dunvo_pack: a record name does not fit the record format\n");
        return 1;
    }
    if (!CheckSources(sources))
        return 1;

    const std::string plainPath = output + ".plain";
    GzipProgramName = "dunvo_pack";
    bool ok = WriteArchive(sources, plainPath) && CompressFileToGzip(plainPath.c_str(), output.c_str());
    for (const RecordedMessage &message : RecordedMessages())
        fprintf(stderr, "%s%s", message.text.c_str(),
                message.text.empty() || message.text.back() != '\n' ? "\n" : "");
    remove(plainPath.c_str());
    if (!ok)
        remove(output.c_str());
    return ok ? 0 : 1;
}
