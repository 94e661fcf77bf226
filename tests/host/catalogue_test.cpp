// The catalogue is a file format ("avaldata.dat" holds its rows byte for byte)
// and pairs by position with the payload's translation records, so both are
// checked against the published tables rather than against the code.
#include "options/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string>

namespace
{

struct RowBytes {
    unsigned char bytes[sizeof(ComponentEntry)];

    explicit RowBytes(int row) { memcpy(bytes, &ComponentCatalogue[row], sizeof bytes); }
    uint32_t Little(int offset, int size) const
    {
        uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = value << 8 | bytes[offset + i];
        return value;
    }
    // A NUL-terminated text whose field is zero after the terminator.
    std::string Text(int offset) const
    {
        std::string text(reinterpret_cast<const char *>(bytes + offset));
        for (int i = offset + static_cast<int>(text.size()); i < offset + 260; ++i)
            if (bytes[i] != 0)
                return "<not zero-filled at " + std::to_string(i - offset) + ">";
        return text;
    }
};

struct ExpectedRow {
    int row;
    uint32_t flag;
    const char *fileName;
    const char *displayName;
    uint32_t charSet, bitmapId, languageId, subLanguageId, fileSize;
};

} // namespace

TEST(Catalogue, RowsReadFieldByFieldAtTheirFileOffsets)
{
    const ExpectedRow expected[] = {
        {0, 0, "ALBANIAN.TX_", "Albanian", 1, 2700, 0x1C, 1, 468571},
        {7, 0, "BOSNIAN.TX_", "Croatian[Bosnian]", 238, 2727, 0x1A, 1, 403024},
        {20, 0, "CHINESSE.TX_", "Japanese[Chinesse]", 128, 2713, 0x11, 1, 510593},
        {25, 1, "PERSIAN.TX_", "Persian", 178, 2717, 0x01, 2, 523627},
        {34, 0, "TURKISH_A.TX_", "Turkish (Translation A)", 162, 2725, 0x1F, 1, 469339},
    };
    for (const ExpectedRow &e : expected) {
        SCOPED_TRACE(e.row);
        RowBytes row(e.row);
        EXPECT_EQ(row.Little(0, 2), static_cast<uint32_t>(e.row));
        EXPECT_EQ(row.Little(2, 2), e.flag);
        EXPECT_EQ(row.Little(4, 2), 0u);
        EXPECT_EQ(row.Text(6), e.fileName);
        EXPECT_EQ(row.Text(266), e.displayName);
        EXPECT_EQ(row.Little(526, 1), e.charSet);
        EXPECT_EQ(row.Little(527, 4), e.bitmapId);
        EXPECT_EQ(row.Little(531, 2), e.languageId);
        EXPECT_EQ(row.Little(533, 2), e.subLanguageId);
        EXPECT_EQ(row.Little(535, 4), e.fileSize);
    }
}

TEST(Catalogue, EveryRowIsNumberedZeroFilledAndFlaggedOnlyForArabicScript)
{
    for (int i = 0; i < kTranslationRows; ++i) {
        SCOPED_TRACE(i);
        RowBytes row(i);
        EXPECT_EQ(row.Little(0, 2), static_cast<uint32_t>(i));
        EXPECT_EQ(row.Little(2, 2), (i == 1 || i == 2 || i == 25) ? 1u : 0u);
        EXPECT_EQ(row.Little(4, 2), 0u);
        EXPECT_EQ(row.Text(6).find('<'), std::string::npos) << row.Text(6);
        EXPECT_EQ(row.Text(266).find('<'), std::string::npos) << row.Text(266);
        EXPECT_GE(row.Little(527, 4), 2700u);
        EXPECT_LE(row.Little(527, 4), 2728u);
    }
}

TEST(Catalogue, OwnFileRowsPairWithThePayloadTranslationRecordsInOrder)
{
    // The translation records of the files archive, without "qtext\".
    const char *const records[] = {
        "ALBANIAN.TX_",
        "ARABIC.TX_",
        "ARABIC_NO_TASHKIL.TX_",
        "AZERBAIJANI.TX_",
        "BOSNIAN.TX_",
        "CHINESSE.TX_",
        "DUTCH.TX_",
        "ENGLISH_FROM_WEB.TX_",
        "ENGLISH_B.TX_",
        "ENGLISH_C.TX_",
        "ENGLISH_TRANSLITERATION.TX_",
        "ENGLISH_US_VERSION.TX_",
        "ENGLISH_D.TX_",
        "FINNISH.TX_",
        "FRENCH.TX_",
        "GERMAN.TX_",
        "INDONESIAN.TX_",
        "ITALIAN.TX_",
        "KOREAN.TX_",
        "LATIN.TX_",
        "MALAYSIAN.TX_",
        "MEXICAN.TX_",
        "PERSIAN.TX_",
        "POLISH.TX_",
        "PORTUGUESE.TX_",
        "RUSSIAN.TX_",
        "SPANISH.TX_",
        "SWAHILLI.TX_",
        "TAMIL.TX_",
        "THAI.TX_",
        "TURKISH_A.TX_",
    };
    static_assert(sizeof records / sizeof records[0] == kTranslationFiles, "31 translation records");
    int record = 0;
    for (int row = 0; row < kTranslationRows; ++row) {
        if (IsAliasRow(row))
            continue;
        ASSERT_LT(record, kTranslationFiles);
        EXPECT_STREQ(ComponentCatalogue[row].FileName, records[record]) << "row " << row;
        ++record;
    }
    EXPECT_EQ(record, kTranslationFiles);
}

TEST(Catalogue, AliasRowsRepeatTheirTargetsFile)
{
    int aliases = 0;
    for (int row = 0; row < kTranslationRows; ++row)
        aliases += IsAliasRow(row);
    EXPECT_EQ(aliases, kAliasCount);
    const int expectedRows[] = {5, 7, 20, 29}, expectedTargets[] = {27, 4, 6, 4};
    for (int k = 0; k < kAliasCount; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(AliasRows[k], expectedRows[k]);
        EXPECT_EQ(AliasTargets[k], expectedTargets[k]);
        EXPECT_EQ(IsAliasRow(AliasRows[k]), 1);
        EXPECT_EQ(IsAliasRow(AliasTargets[k]), 0);
        const ComponentEntry &alias = ComponentCatalogue[AliasRows[k]];
        const ComponentEntry &target = ComponentCatalogue[AliasTargets[k]];
        EXPECT_STREQ(alias.FileName, target.FileName);
        // Copies: a packed field cannot be bound to a reference.
        EXPECT_EQ(uint32_t{alias.FileSize}, uint32_t{target.FileSize});
        EXPECT_STRNE(alias.DisplayName, target.DisplayName);
    }
    EXPECT_EQ(IsAliasRow(-1), 0);
    EXPECT_EQ(IsAliasRow(kTranslationRows), 0);
}

TEST(Catalogue, RecitationSizesHoldTheKnownFacts)
{
    EXPECT_EQ(RecitationSizes[0], 172118u);
    EXPECT_EQ(RecitationSizes[1], 13407752u);
    EXPECT_EQ(RecitationSizes[2], 13121121u);
    EXPECT_EQ(RecitationSizes[3], 14550646u);
    EXPECT_EQ(RecitationSizes[112], 91348u);
    EXPECT_EQ(RecitationSizes[113], 97512u);

    const uint32_t *begin = RecitationSizes, *end = RecitationSizes + kRecitationCount;
    EXPECT_EQ(*std::max_element(begin, end), 14550646u);
    EXPECT_EQ(std::count(begin, end, 14550646u), 1);
    EXPECT_EQ(*std::min_element(begin, end), 60837u);
    EXPECT_EQ(std::count(begin, end, 60837u), 1);
    // Summed in 64 bits so an overflow could not hide a wrong total.
    EXPECT_EQ(std::accumulate(begin + 1, end, uint64_t{0}), 304799322u);
}
