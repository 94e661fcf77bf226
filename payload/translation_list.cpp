#include "payload/translation_list.h"

#include <cstdio>
#include <cstring>

#include "common/file_write.h"
#include "common/message_box.h"
#include "common/text.h"

TranslationFontRecord TranslationFont;
char FontFaceName[kFontFaceChars] = "Fixedsys";
int ScreenPixelsPerInchY;

namespace
{

// The nearest double to 10/72: the cell height of a 10-point font in inches per unit of em.
constexpr double kTenPointsInInches = 0.1388888888888889;
constexpr int32_t kBold = 700;

bool SameFaceIgnoringCase(const char *a, const char *b)
{
    for (;; ++a, ++b) {
        char x = *a >= 'a' && *a <= 'z' ? char(*a - 'a' + 'A') : *a;
        char y = *b >= 'a' && *b <= 'z' ? char(*b - 'a' + 'A') : *b;
        if (x != y)
            return false;
        if (!x)
            return true;
    }
}

bool IsLoaded(int row)
{
    return TranslationState[row] == TS_INSTALL_LOAD || TranslationState[row] == TS_ALIAS_INSTALL_LOAD;
}

bool WriteBytes(FILE *file, const void *bytes, size_t size)
{
    return fwrite(bytes, 1, size, file) == size;
}

bool WriteList(FILE *file)
{
    const int32_t count = CountLoadedTranslations();
    if (!WriteBytes(file, &count, sizeof count))
        return false;
    for (int row = 0; row < kTranslationRows; ++row) {
        if (!IsLoaded(row))
            continue;
        FinishTranslationFont(row);
        if (!WriteBytes(file, &ComponentCatalogue[row], sizeof(ComponentEntry)) ||
            !WriteBytes(file, &TranslationFont, sizeof TranslationFont))
            return false;
    }
    return true;
}

void ShowListMessage(void *owner, const char *format, const char *path)
{
    FormatInto(MessageText, format, path);
    ShowMessage(owner, MessageText, SetupName, kMbIconError);
}

} // namespace

bool IsWantedFontFace(const char *face)
{
    if (!SameFaceIgnoringCase(face, FontFaceName) && !SameFaceIgnoringCase(face, "Arial")) {
        CopyInto(FontFaceName, "Arial");
        return false;
    }
    return true;
}

void TakeEnumeratedFont(const void *logFont, uint32_t emSize, uint32_t averageWidth, uint32_t cellHeight)
{
    memcpy(&TranslationFont, logFont, kLogFontBytes);
    TranslationFont.EmSize = emSize;
    // A font that reports no em size has no meaningful ratios; 0 keeps the division from faulting.
    TranslationFont.AverageWidthRatio = emSize ? double(averageWidth) / double(emSize) : 0.0;
    TranslationFont.CellHeightRatio = emSize ? double(cellHeight) / double(emSize) : 0.0;
}

void FinishTranslationFont(int row)
{
    const double height = TranslationFont.CellHeightRatio * kTenPointsInInches * ScreenPixelsPerInchY;
    TranslationFont.Height = -static_cast<int32_t>(height);
    TranslationFont.Width = 0;
    TranslationFont.Escapement = 0;
    TranslationFont.Orientation = 0;
    TranslationFont.Weight = kBold;
    TranslationFont.Italic = 0;
    TranslationFont.Underline = 0;
    TranslationFont.StrikeOut = 0;
    TranslationFont.CharSet = ComponentCatalogue[row].CharSet;
}

int CountLoadedTranslations()
{
    int count = 0;
    for (int row = 0; row < kTranslationRows; ++row)
        count += IsLoaded(row) ? 1 : 0;
    return count;
}

TranslationListResult SaveTranslationList(const char *path, void *owner, void (*keepAlive)())
{
    FileReplacement file;
    if (BeginReplacement(&file, path, keepAlive) != FileWrite::Written) {
        ShowMessage(owner, "Error creating used translation file.!!!", SetupName, kMbIconError);
        return TranslationListResult::NotCreated;
    }
    if (EndReplacement(&file, WriteList(file.File), keepAlive) != FileWrite::Written) {
        ShowListMessage(owner, "Error writing used translation file, the disk may be full:\n%.450s", path);
        return TranslationListResult::NotWritten;
    }
    return TranslationListResult::Written;
}
