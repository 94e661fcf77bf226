// The record format of both payload archives: a name length byte, the name
// (backslash-separated, relative to the installation directory), the data
// size as 32-bit little-endian, then the data. No header, count or end mark:
// the reader knows how many records to read. Portable: no <windows.h>.
//
// This is the one place that trusts nothing read from an archive: every
// status below leaves the record fully defined, so a caller never acts on a
// half-read name or size.
#pragma once
#include <cstdint>
#include <cstdio>

#include "common/install_settings.h"

constexpr int kFilesArchiveRecords = 47;
constexpr int kRecitationArchiveRecords = 113;
constexpr int kMaxRecordNameLength = 255;
// Sizes are below 2^31: a reader may skip a record with a signed seek.
constexpr uint32_t kMaxRecordSize = 0x7FFFFFFF;

struct PayloadRecord {
    char Name[kShortPathChars]; // zero-filled, so always terminated
    uint32_t Size;
};

enum class RecordStatus {
    Ok,
    EndedBeforeRecord, // not even the name length byte is there
    EndedInName,
    EndedInSize,
    EndedInData,
    UnsafeName,  // see IsSafeRecordName
    BadSize,     // top bit set
    WriteFailed, // the output, not the archive, failed
};

// A name that can be created under the installation directory and nowhere
// else: 1 to 255 bytes; components separated by single backslashes; no
// component that is empty, ends in a dot or a blank (so no "." or ".."), or
// names a device (CON, NUL, COM1, ...); no '/', ':' or other character that
// Windows refuses in a file name, and no control characters.
bool IsSafeRecordName(const char *name);

// Reads the name and size of the next record. On Ok the data follows at the
// file position. On UnsafeName and BadSize the record holds what was read (for
// the message); on every other status its name is empty and its size 0.
RecordStatus ReadRecordHeader(FILE *archive, PayloadRecord *record);

// Copies exactly size bytes through a bounded buffer: EndedInData when the
// archive is short, WriteFailed when the output refuses bytes.
RecordStatus CopyRecordData(FILE *archive, uint32_t size, FILE *output);
// Ok when the archive holds at least size more bytes from its position, which
// it keeps; EndedInData when it does not. Asked before a block of that size is
// allocated, so a damaged size is told as a damaged archive, not as a
// shortage of memory, and no block of gigabytes is asked for.
RecordStatus CheckRecordData(FILE *archive, uint32_t size);
// Reads exactly size bytes into memory that holds at least size bytes.
RecordStatus ReadRecordData(FILE *archive, uint32_t size, void *memory);
// Moves past the data; EndedInData when the archive ends before its last byte.
RecordStatus SkipRecordData(FILE *archive, uint32_t size);

// Whether the side file can be whole, from its ends alone, without expanding
// it: a gzip member starts with its magic bytes and ends with the plain size
// of what it holds (modulo 2^32), which for a whole side file is
// `plainSize` (RecitationArchiveBytes()). A download that stopped ends in
// arbitrary bytes. `size` is the file's size, -1 when it cannot be told.
enum class SideFileEnds { Whole, Cut, Unreadable };
SideFileEnds CheckSideFileEnds(FILE *sideFile, uint32_t plainSize, long *size);

// Writes a record's name and size; the data is the caller's to follow
// (CopyRecordData from the source file). Refuses what a reader would refuse.
RecordStatus WriteRecordHeader(FILE *archive, const char *name, uint32_t size);
