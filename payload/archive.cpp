#include "payload/archive.h"

#include <cctype>
#include <cstring>
#include <initializer_list>

namespace {

constexpr size_t kCopyBufferBytes = 16384;

bool IsDeviceName(const char *component, size_t length)
{
    // Windows opens these devices whatever extension follows the stem.
    size_t stem = 0;
    while (stem < length && component[stem] != '.')
        ++stem;
    char upper[8] = {};
    if (stem < 3 || stem >= sizeof upper)
        return false;
    for (size_t i = 0; i < stem; ++i)
        upper[i] = static_cast<char>(toupper(static_cast<unsigned char>(component[i])));
    for (const char *device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (!strcmp(upper, device))
            return true;
    // COM1-COM9 and LPT1-LPT9, also with the superscript digits 1, 2, 3 of code page 1252.
    const unsigned char digit = static_cast<unsigned char>(upper[3]);
    return stem == 4 && (!strncmp(upper, "COM", 3) || !strncmp(upper, "LPT", 3)) &&
           ((digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3);
}

bool IsSafeComponent(const char *component, size_t length)
{
    if (length == 0)
        return false;
    char last = component[length - 1];
    // Windows drops trailing dots and blanks, so ". ." would become "..".
    if (last == '.' || last == ' ')
        return false;
    return !IsDeviceName(component, length);
}

uint32_t LoadLittleEndian32(const unsigned char *bytes)
{
    return bytes[0] | (uint32_t(bytes[1]) << 8) | (uint32_t(bytes[2]) << 16) | (uint32_t(bytes[3]) << 24);
}

RecordStatus Clear(PayloadRecord *record, RecordStatus status)
{
    memset(record->Name, 0, sizeof record->Name);
    record->Size = 0;
    return status;
}

} // namespace

bool IsSafeRecordName(const char *name)
{
    size_t length = strlen(name);
    if (length == 0 || length > kMaxRecordNameLength)
        return false;
    for (size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (c < 32 || strchr("/:*?\"<>|", c))
            return false;
    }
    const char *start = name;
    for (;;) {
        const char *end = strchr(start, '\\');
        size_t componentLength = end ? size_t(end - start) : strlen(start);
        if (!IsSafeComponent(start, componentLength))
            return false;
        if (!end)
            return true;
        start = end + 1;
    }
}

RecordStatus ReadRecordHeader(FILE *archive, PayloadRecord *record)
{
    Clear(record, RecordStatus::Ok);
    int length = fgetc(archive);
    if (length == EOF)
        return RecordStatus::EndedBeforeRecord;
    if (fread(record->Name, 1, size_t(length), archive) != size_t(length))
        return Clear(record, RecordStatus::EndedInName);
    unsigned char size[4];
    if (fread(size, 1, sizeof size, archive) != sizeof size)
        return Clear(record, RecordStatus::EndedInSize);
    record->Size = LoadLittleEndian32(size);
    // A zero byte inside the name would make the installed name differ from the stored one.
    if (strlen(record->Name) != size_t(length) || !IsSafeRecordName(record->Name))
        return RecordStatus::UnsafeName;
    if (record->Size > kMaxRecordSize)
        return RecordStatus::BadSize;
    return RecordStatus::Ok;
}

RecordStatus CopyRecordData(FILE *archive, uint32_t size, FILE *output)
{
    char buffer[kCopyBufferBytes];
    while (size > 0) {
        size_t chunk = size < sizeof buffer ? size : sizeof buffer;
        if (fread(buffer, 1, chunk, archive) != chunk)
            return RecordStatus::EndedInData;
        if (fwrite(buffer, 1, chunk, output) != chunk)
            return RecordStatus::WriteFailed;
        size -= uint32_t(chunk);
    }
    return RecordStatus::Ok;
}

RecordStatus CheckRecordData(FILE *archive, uint32_t size)
{
    const long here = ftell(archive);
    if (here < 0 || fseek(archive, 0, SEEK_END) != 0)
        return RecordStatus::EndedInData;
    const long end = ftell(archive);
    if (fseek(archive, here, SEEK_SET) != 0 || end < here)
        return RecordStatus::EndedInData;
    return uint64_t(end - here) >= size ? RecordStatus::Ok : RecordStatus::EndedInData;
}

RecordStatus ReadRecordData(FILE *archive, uint32_t size, void *memory)
{
    if (size == 0)
        return RecordStatus::Ok;
    return fread(memory, 1, size, archive) == size ? RecordStatus::Ok : RecordStatus::EndedInData;
}

RecordStatus SkipRecordData(FILE *archive, uint32_t size)
{
    if (size == 0)
        return RecordStatus::Ok;
    // A seek past the end succeeds silently; reading the last byte does not.
    if (size > kMaxRecordSize || fseek(archive, long(size - 1), SEEK_CUR) != 0 || fgetc(archive) == EOF)
        return RecordStatus::EndedInData;
    return RecordStatus::Ok;
}

SideFileEnds CheckSideFileEnds(FILE *sideFile, uint32_t plainSize, long *size)
{
    *size = fseek(sideFile, 0, SEEK_END) == 0 ? ftell(sideFile) : -1;
    if (*size < 0)
        return SideFileEnds::Unreadable;
    // The shortest member: a 10-byte header, an empty block, the 8-byte trailer.
    if (*size < 18)
        return SideFileEnds::Cut;
    unsigned char magic[2], trailer[4];
    if (fseek(sideFile, 0, SEEK_SET) != 0 || fread(magic, 1, 2, sideFile) != 2 ||
        fseek(sideFile, -4, SEEK_END) != 0 || fread(trailer, 1, 4, sideFile) != 4)
        return SideFileEnds::Unreadable;
    const bool whole = magic[0] == 0x1F && magic[1] == 0x8B && LoadLittleEndian32(trailer) == plainSize;
    return whole ? SideFileEnds::Whole : SideFileEnds::Cut;
}

RecordStatus WriteRecordHeader(FILE *archive, const char *name, uint32_t size)
{
    if (!IsSafeRecordName(name))
        return RecordStatus::UnsafeName;
    if (size > kMaxRecordSize)
        return RecordStatus::BadSize;
    unsigned char length = static_cast<unsigned char>(strlen(name));
    const unsigned char sizeBytes[4] = {uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16),
                                        uint8_t(size >> 24)};
    if (fputc(length, archive) == EOF || fwrite(name, 1, length, archive) != length ||
        fwrite(sizeBytes, 1, sizeof sizeBytes, archive) != sizeof sizeBytes)
        return RecordStatus::WriteFailed;
    return RecordStatus::Ok;
}
