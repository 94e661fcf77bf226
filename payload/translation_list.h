// "avaldata.dat", the list of translations the installed application loads:
// a 32-bit count N, then for each loaded catalogue row its 539 catalogue bytes
// and an 80-byte font record, nothing after. Portable: no <windows.h>; the
// font enumeration that fills the record is payload/translation_list_win.cpp.
#pragma once
#include <cstddef>
#include <cstdint>

#include "options/catalogue.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the list is written from memory as little-endian");

constexpr int kFontFaceChars = 32;

// Bytes 0-59 are a Win32 LOGFONTA; the em size and two ratios follow.
// The layout is a file format: packed, little-endian, 80 bytes.
#pragma pack(push, 1)
struct TranslationFontRecord {
    int32_t Height;
    int32_t Width;
    int32_t Escapement;
    int32_t Orientation;
    int32_t Weight;
    uint8_t Italic;
    uint8_t Underline;
    uint8_t StrikeOut;
    uint8_t CharSet;
    uint8_t OutPrecision;
    uint8_t ClipPrecision;
    uint8_t Quality;
    uint8_t PitchAndFamily;
    char FaceName[kFontFaceChars];
    uint32_t EmSize;
    double AverageWidthRatio;
    double CellHeightRatio;
};
#pragma pack(pop)

static_assert(sizeof(TranslationFontRecord) == 80, "TranslationFontRecord is a file format");
static_assert(offsetof(TranslationFontRecord, Height) == 0, "layout");
static_assert(offsetof(TranslationFontRecord, Width) == 4, "layout");
static_assert(offsetof(TranslationFontRecord, Escapement) == 8, "layout");
static_assert(offsetof(TranslationFontRecord, Orientation) == 12, "layout");
static_assert(offsetof(TranslationFontRecord, Weight) == 16, "layout");
static_assert(offsetof(TranslationFontRecord, Italic) == 20, "layout");
static_assert(offsetof(TranslationFontRecord, Underline) == 21, "layout");
static_assert(offsetof(TranslationFontRecord, StrikeOut) == 22, "layout");
static_assert(offsetof(TranslationFontRecord, CharSet) == 23, "layout");
static_assert(offsetof(TranslationFontRecord, OutPrecision) == 24, "layout");
static_assert(offsetof(TranslationFontRecord, ClipPrecision) == 25, "layout");
static_assert(offsetof(TranslationFontRecord, Quality) == 26, "layout");
static_assert(offsetof(TranslationFontRecord, PitchAndFamily) == 27, "layout");
static_assert(offsetof(TranslationFontRecord, FaceName) == 28, "layout");
static_assert(offsetof(TranslationFontRecord, EmSize) == 60, "layout");
static_assert(offsetof(TranslationFontRecord, AverageWidthRatio) == 64, "layout");
static_assert(offsetof(TranslationFontRecord, CellHeightRatio) == 72, "layout");

constexpr size_t kLogFontBytes = 60;
constexpr size_t kTranslationEntryBytes = sizeof(ComponentEntry) + sizeof(TranslationFontRecord); // 619

// Zero at start-up; the enumeration fills it, FinishTranslationFont completes
// it for each row before it is written.
extern TranslationFontRecord TranslationFont;
// The family that is enumerated: "Fixedsys" at start-up.
extern char FontFaceName[kFontFaceChars];
// LOGPIXELSY of the screen, stored each time the list is written.
extern int ScreenPixelsPerInchY;

// The enumeration rule. A face that is neither FontFaceName nor "Arial"
// (ignoring case) turns FontFaceName into "Arial" and is passed over; any
// other face is the one to take. Returns true to take it.
bool IsWantedFontFace(const char *face);
// Takes an enumerated font: its 60 LOGFONTA bytes and three metrics. An em
// size of 0 gives both ratios 0.
void TakeEnumeratedFont(const void *logFont, uint32_t emSize, uint32_t averageWidth, uint32_t cellHeight);

// Height for 10 points at the screen's resolution, bold, the row's
// character set; the rest as enumerated.
void FinishTranslationFont(int row);

// Loaded rows: state TS_INSTALL_LOAD or TS_ALIAS_INSTALL_LOAD.
int CountLoadedTranslations();

enum class TranslationListResult {
    Written,
    NotCreated, // reported; the copy goes on as before
    NotWritten, // a write or the close failed: reported
};

// Creates the file at path (truncating an old one) and writes the list from
// TranslationState. Failures are shown in a box owned by owner (a window
// handle or null), captioned with SetupName. `keepAlive`, when given, is
// called while a file held for a moment is waited for.
TranslationListResult SaveTranslationList(const char *path, void *owner, void (*keepAlive)() = nullptr);
