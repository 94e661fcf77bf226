// What the two archives hold, record by record: the packing tool builds them
// from it and the sample generator writes the files it names.
// Portable: no <windows.h>.
#pragma once
#include <cstdint>

#include "common/install_settings.h"

struct PayloadEntry {
    char Name[kShortPathChars]; // backslash-separated, as stored in the record
    uint32_t Size;              // the size of the shipped file
};

// Records 0-30 of the files archive are the translation files of the
// catalogue's non-alias rows, in row order; records 31-45 the files below;
// record 46 recitation 0 ("sound\001.mp3").
constexpr int kFirstFixedRecord = 31;
constexpr int kFixedPayloadFiles = 15;
struct FixedPayloadFile {
    const char *Name;
    uint32_t Size;
};
extern const FixedPayloadFile FixedPayloadFiles[kFixedPayloadFiles];

// Record index 0-46 of the files archive. False for an index out of range.
bool DescribeFilesRecord(int index, PayloadEntry *entry);
// Recitation index 0-113: "sound\%03d.mp3" with the number index + 1, sized by
// RecitationSizes. Index 0 travels in the files archive, index k (1-113) is
// record k of the recitation archive.
bool DescribeRecitation(int index, PayloadEntry *entry);
// The catalogue row of translation record 0-30, or -1.
int TranslationRecordRow(int record);
