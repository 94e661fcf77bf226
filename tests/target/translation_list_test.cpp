// "avaldata.dat" written on a real screen: the font check as Wine answers it,
// and the file read back by its documented layout.
#include "options/catalogue.h"
#include "payload/translation_list_win.h"

#include <gtest/gtest.h>

#include "tests/file_bytes.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{

int CALLBACK CountFaces(const LOGFONTA *font, const TEXTMETRICA *, DWORD, LPARAM faces)
{
    reinterpret_cast<std::vector<std::string> *>(faces)->push_back(font->lfFaceName);
    return 1;
}

std::vector<std::string> FacesOfFamily(const char *family)
{
    std::vector<std::string> faces;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesA(dc, family, CountFaces, reinterpret_cast<LPARAM>(&faces));
    ReleaseDC(nullptr, dc);
    return faces;
}

template <typename T> T At(const std::string &bytes, size_t offset)
{
    T value;
    memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

TEST(TranslationListOnScreen, WineOffersNoFixedsysSoEachEntryHasNoFont)
{
    // Wine has neither family; the list then takes the path where no font is found.
    ASSERT_TRUE(FacesOfFamily("Fixedsys").empty());
    ASSERT_TRUE(FacesOfFamily("Arial").empty());

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "translation_list";
    CreateDirectoryA(folder.c_str(), nullptr);
    strcpy(InstallDir, folder.c_str());
    for (int row = 0; row < kTranslationRows; ++row)
        TranslationState[row] = IsAliasRow(row) ? TS_ALIAS_INSTALL : TS_INSTALL;
    TranslationState[1] = TS_INSTALL_LOAD;        // Arabic
    TranslationState[29] = TS_ALIAS_INSTALL_LOAD; // Serbian[Bosnian]
    memset(&TranslationFont, 0, sizeof TranslationFont);
    strcpy(FontFaceName, "Fixedsys");

    HWND page = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(WriteTranslationList(page), TranslationListResult::Written);
    DestroyWindow(page);
    EXPECT_STREQ(FontFaceName, "Fixedsys"); // the callback never ran
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(ScreenPixelsPerInchY, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);

    const std::string bytes = ReadFileBytes(folder + "\\avaldata.dat");
    ASSERT_EQ(bytes.size(), 4u + 2 * 619);
    EXPECT_EQ(At<int32_t>(bytes, 0), 2);
    const int rows[] = {1, 29};
    const uint8_t charSets[] = {178, 238};
    for (int m = 0; m < 2; ++m) {
        const size_t entry = 4 + 619 * size_t(m), font = entry + 539;
        EXPECT_EQ(memcmp(bytes.data() + entry, &ComponentCatalogue[rows[m]], 539), 0) << "entry " << m;
        EXPECT_EQ(At<uint16_t>(bytes, entry), rows[m]); // RowNumber
        EXPECT_EQ(At<int32_t>(bytes, font), 0);         // height
        EXPECT_EQ(At<int32_t>(bytes, font + 16), 700);  // weight
        EXPECT_EQ(At<uint8_t>(bytes, font + 23), charSets[m]);
        EXPECT_EQ(bytes[font + 28], '\0'); // no face name
        EXPECT_EQ(At<uint32_t>(bytes, font + 60), 0u);
    }
    EXPECT_STREQ(bytes.c_str() + 4 + 619 + 6, "BOSNIAN.TX_");
    EXPECT_STREQ(bytes.c_str() + 4 + 619 + 266, "Serbian[Bosnian]");
}

TEST(TranslationListOnScreen, EnumerationRuleTakesTheFirstMatchingFont)
{
    // The callback as the system would call it for a Fixedsys font.
    strcpy(FontFaceName, "Fixedsys");
    memset(&TranslationFont, 0, sizeof TranslationFont);
    LOGFONTA font = {};
    strcpy(font.lfFaceName, "FixedSys");
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    NEWTEXTMETRICA metrics = {};
    metrics.ntmSizeEM = 12;
    metrics.ntmCellHeight = 15;
    metrics.ntmAvgWidth = 8;
    EXPECT_EQ(FontFamilyCallback(&font, reinterpret_cast<TEXTMETRICA *>(&metrics), RASTER_FONTTYPE, 0), 0);
    EXPECT_STREQ(TranslationFont.FaceName, "FixedSys");
    EXPECT_EQ(TranslationFont.PitchAndFamily, FIXED_PITCH | FF_MODERN);
    EXPECT_EQ(TranslationFont.EmSize, 12u);
    EXPECT_DOUBLE_EQ(TranslationFont.CellHeightRatio, 1.25);

    // A stranger is passed over and turns the search to Arial.
    strcpy(font.lfFaceName, "Courier");
    EXPECT_EQ(FontFamilyCallback(&font, reinterpret_cast<TEXTMETRICA *>(&metrics), RASTER_FONTTYPE, 0), 1);
    EXPECT_STREQ(FontFaceName, "Arial");
    strcpy(FontFaceName, "Fixedsys");
}

} // namespace
