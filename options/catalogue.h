// The constant catalogue of translations and recitations, and the user's
// selection state that the options page edits and the copy page consumes.
// Portable: no <windows.h>.
#pragma once
#include <cstddef>
#include <cstdint>

#include "common/install_settings.h"

// One translation row. The same bytes are written into "avaldata.dat", so the
// layout is a file format: packed, little-endian, 539 bytes.
#pragma pack(push, 1)
struct ComponentEntry {
    uint16_t RowNumber;
    uint16_t RowFlag;
    uint16_t Reserved;
    char FileName[260];
    char DisplayName[260];
    uint8_t CharSet;
    int32_t BitmapId;
    uint16_t LanguageId;
    uint16_t SubLanguageId;
    uint32_t FileSize;
};
#pragma pack(pop)

static_assert(sizeof(ComponentEntry) == 539, "ComponentEntry is a file format");
static_assert(offsetof(ComponentEntry, RowFlag) == 2, "layout");
static_assert(offsetof(ComponentEntry, Reserved) == 4, "layout");
static_assert(offsetof(ComponentEntry, FileName) == 6, "layout");
static_assert(offsetof(ComponentEntry, DisplayName) == 266, "layout");
static_assert(offsetof(ComponentEntry, CharSet) == 526, "layout");
static_assert(offsetof(ComponentEntry, BitmapId) == 527, "layout");
static_assert(offsetof(ComponentEntry, LanguageId) == 531, "layout");
static_assert(offsetof(ComponentEntry, SubLanguageId) == 533, "layout");
static_assert(offsetof(ComponentEntry, FileSize) == 535, "layout");

constexpr int kAliasCount = 4;
constexpr int kTranslationFiles = kTranslationRows - kAliasCount; // records 0-30 of the payload

extern const ComponentEntry ComponentCatalogue[kTranslationRows];
extern const int32_t AliasRows[kAliasCount];
extern const int32_t AliasTargets[kAliasCount];
extern const uint32_t RecitationSizes[kRecitationCount];
constexpr uint32_t BaseRequiredBytes = 5426152;
// What a whole "mp3data.gz" expands to: records 1-113, each a name length
// byte, the name "sound\NNN.mp3", a 4-byte size and the file; less than 2^32,
// so also what its gzip trailer holds.
uint32_t RecitationArchiveBytes();

// 1 when the row shows another row's file under a second language's name.
int IsAliasRow(int row);

enum TranslationStateValue : int32_t {
    TS_DONT_INSTALL = 0,
    TS_INSTALL = 1,
    TS_INSTALL_LOAD = 2,
    TS_ALIAS_INSTALL = 3,
    TS_ALIAS_INSTALL_LOAD = 4,
    TS_ALIAS_DONT_INSTALL = 5,
};

enum RecitationStateValue : int32_t {
    RS_DONT_INSTALL = 0,
    RS_INSTALL = 1,
    RS_NOT_AVAILABLE = 2,
};
