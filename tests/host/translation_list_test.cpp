#include "payload/translation_list.h"

#include "common/message_box.h"
#include "common/message_box_host.h"
#include "common/text.h"
#include "payload_test_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{

// Reads the file by its documented offsets, not through the program's structs.
struct ListEntry {
    std::string row; // the 539 catalogue bytes
    int32_t height, width, escapement, orientation, weight;
    uint8_t italic, underline, strikeOut, charSet, outPrecision, clipPrecision, quality, pitchAndFamily;
    std::string face;
    uint32_t emSize;
    double averageWidthRatio, cellHeightRatio;
};

template <typename T> T At(const std::string &bytes, size_t offset)
{
    T value;
    memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

bool ParseList(const std::string &bytes, std::vector<ListEntry> *entries)
{
    if (bytes.size() < 4)
        return false;
    const int32_t count = At<int32_t>(bytes, 0);
    if (count < 0 || bytes.size() != 4 + 619 * size_t(count))
        return false;
    for (int32_t m = 0; m < count; ++m) {
        const size_t row = 4 + 619 * size_t(m), font = row + 539;
        ListEntry e;
        e.row = bytes.substr(row, 539);
        e.height = At<int32_t>(bytes, font);
        e.width = At<int32_t>(bytes, font + 4);
        e.escapement = At<int32_t>(bytes, font + 8);
        e.orientation = At<int32_t>(bytes, font + 12);
        e.weight = At<int32_t>(bytes, font + 16);
        e.italic = At<uint8_t>(bytes, font + 20);
        e.underline = At<uint8_t>(bytes, font + 21);
        e.strikeOut = At<uint8_t>(bytes, font + 22);
        e.charSet = At<uint8_t>(bytes, font + 23);
        e.outPrecision = At<uint8_t>(bytes, font + 24);
        e.clipPrecision = At<uint8_t>(bytes, font + 25);
        e.quality = At<uint8_t>(bytes, font + 26);
        e.pitchAndFamily = At<uint8_t>(bytes, font + 27);
        e.face = std::string(bytes.data() + font + 28, strnlen(bytes.data() + font + 28, 32));
        e.emSize = At<uint32_t>(bytes, font + 60);
        e.averageWidthRatio = At<double>(bytes, font + 64);
        e.cellHeightRatio = At<double>(bytes, font + 72);
        entries->push_back(e);
    }
    return true;
}

std::string CatalogueRowBytes(int row)
{
    return std::string(reinterpret_cast<const char *>(&ComponentCatalogue[row]), 539);
}

std::string FileNameOf(const std::string &rowBytes)
{
    return rowBytes.c_str() + 6;
}
std::string DisplayNameOf(const std::string &rowBytes)
{
    return rowBytes.c_str() + 266;
}

// What a Windows font enumeration hands over: the 60 bytes of a LOGFONTA.
std::string EnumeratedLogFont(const char *face)
{
    std::string bytes(60, '\0');
    const int32_t height = 15, width = 8, weight = 400;
    memcpy(&bytes[0], &height, 4);
    memcpy(&bytes[4], &width, 4);
    memcpy(&bytes[16], &weight, 4);
    bytes[20] = 1;  // italic, replaced
    bytes[23] = 0;  // ANSI character set, replaced
    bytes[24] = 1;  // OUT_STRING_PRECIS
    bytes[25] = 2;  // CLIP_STROKE_PRECIS
    bytes[26] = 1;  // DRAFT_QUALITY
    bytes[27] = 49; // FIXED_PITCH | FF_MODERN
    strcpy(&bytes[28], face);
    return bytes;
}

class TranslationList : public testing::Test
{
  protected:
    void SetUp() override
    {
        for (int row = 0; row < kTranslationRows; ++row)
            TranslationState[row] = IsAliasRow(row) ? TS_ALIAS_INSTALL : TS_INSTALL;
        memset(&TranslationFont, 0, sizeof TranslationFont);
        CopyInto(FontFaceName, "Fixedsys");
        ScreenPixelsPerInchY = 96;
        CopyInto(SetupName, "SETUP");
        RecordedMessages().clear();
    }

    std::vector<ListEntry> SaveAndRead()
    {
        std::vector<ListEntry> entries;
        const std::string path = folder_ / "avaldata.dat";
        EXPECT_EQ(SaveTranslationList(path.c_str(), nullptr), TranslationListResult::Written);
        EXPECT_TRUE(RecordedMessages().empty());
        const std::string bytes = ReadFileBytes(path);
        EXPECT_TRUE(ParseList(bytes, &entries)) << bytes.size() << " bytes";
        return entries;
    }

    TempFolder folder_;
};

TEST_F(TranslationList, NoLoadedRowWritesOnlyTheCount)
{
    const std::string path = folder_ / "avaldata.dat";
    WriteWholeFile(path, std::string(5000, 'x')); // an older, longer list is replaced
    EXPECT_EQ(SaveTranslationList(path.c_str(), nullptr), TranslationListResult::Written);
    EXPECT_EQ(ReadFileBytes(path), std::string(4, '\0'));
}

TEST_F(TranslationList, EntriesFollowTheCatalogueOrderWithEachRowsCharacterSet)
{
    // Four loaded rows chosen out of order: Russian, Albanian, Thai, Arabic.
    for (int row : {28, 0, 33, 1})
        TranslationState[row] = TS_INSTALL_LOAD;
    TakeEnumeratedFont(EnumeratedLogFont("Fixedsys").data(), 12, 8, 15);

    const std::vector<ListEntry> entries = SaveAndRead();
    ASSERT_EQ(entries.size(), 4u);
    const int rows[] = {0, 1, 28, 33};
    const uint8_t charSets[] = {1, 178, 204, 222};
    for (size_t m = 0; m < 4; ++m) {
        const ListEntry &e = entries[m];
        EXPECT_EQ(e.row, CatalogueRowBytes(rows[m])) << "entry " << m;
        EXPECT_EQ(e.charSet, charSets[m]);
        // 15 / 12 of an em, 10 points at 96 dots per inch: 16.67 pixels, cut towards zero.
        EXPECT_EQ(e.height, -16);
        EXPECT_EQ(e.weight, 700);
        EXPECT_EQ(e.width, 0);
        EXPECT_EQ(e.escapement, 0);
        EXPECT_EQ(e.orientation, 0);
        EXPECT_EQ(e.italic | e.underline | e.strikeOut, 0);
        // The rest as enumerated.
        EXPECT_EQ(e.outPrecision, 1);
        EXPECT_EQ(e.clipPrecision, 2);
        EXPECT_EQ(e.quality, 1);
        EXPECT_EQ(e.pitchAndFamily, 49);
        EXPECT_EQ(e.face, "Fixedsys");
        EXPECT_EQ(e.emSize, 12u);
        EXPECT_DOUBLE_EQ(e.averageWidthRatio, 8.0 / 12.0);
        EXPECT_DOUBLE_EQ(e.cellHeightRatio, 1.25);
    }
    EXPECT_EQ(DisplayNameOf(entries[2].row), "Russian");
}

TEST_F(TranslationList, HeightFollowsTheScreenResolution)
{
    TranslationState[9] = TS_INSTALL_LOAD;
    // An outline font: 2355 / 2048 of an em at 120 dots per inch is 19.16 pixels.
    TakeEnumeratedFont(EnumeratedLogFont("Arial").data(), 2048, 904, 2355);
    ScreenPixelsPerInchY = 120;
    const std::vector<ListEntry> entries = SaveAndRead();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].height, -19);
    EXPECT_EQ(entries[0].face, "Arial");
}

TEST_F(TranslationList, AliasRowIsWrittenWithItsOwnRowAndItsTargetsFile)
{
    TranslationState[7] = TS_ALIAS_INSTALL_LOAD; // "Croatian[Bosnian]", alias of row 4
    std::vector<ListEntry> entries = SaveAndRead();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].row, CatalogueRowBytes(7));
    EXPECT_EQ(DisplayNameOf(entries[0].row), "Croatian[Bosnian]");
    EXPECT_EQ(FileNameOf(entries[0].row), "BOSNIAN.TX_");
    EXPECT_EQ(entries[0].charSet, 238);

    // With its target loaded too: two entries sharing one file.
    TranslationState[4] = TS_INSTALL_LOAD;
    entries = SaveAndRead();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(DisplayNameOf(entries[0].row), "Bosnian");
    EXPECT_EQ(DisplayNameOf(entries[1].row), "Croatian[Bosnian]");
    EXPECT_EQ(FileNameOf(entries[0].row), FileNameOf(entries[1].row));
}

TEST_F(TranslationList, WithoutAFontEachEntryKeepsOnlyWeightAndCharacterSet)
{
    TranslationState[20] = TS_ALIAS_INSTALL_LOAD; // "Japanese[Chinesse]"
    const std::vector<ListEntry> entries = SaveAndRead();
    ASSERT_EQ(entries.size(), 1u);
    const ListEntry &e = entries[0];
    EXPECT_EQ(e.height, 0);
    EXPECT_EQ(e.weight, 700);
    EXPECT_EQ(e.charSet, 128);
    EXPECT_EQ(e.face, "");
    EXPECT_EQ(e.emSize, 0u);
    EXPECT_EQ(e.outPrecision | e.clipPrecision | e.quality | e.pitchAndFamily, 0);
    EXPECT_EQ(e.cellHeightRatio, 0.0);
}

TEST_F(TranslationList, EmSizeOfZeroGivesZeroRatios)
{
    TakeEnumeratedFont(EnumeratedLogFont("Fixedsys").data(), 0, 8, 15);
    EXPECT_EQ(TranslationFont.AverageWidthRatio, 0.0);
    EXPECT_EQ(TranslationFont.CellHeightRatio, 0.0);
    FinishTranslationFont(0);
    EXPECT_EQ(TranslationFont.Height, 0);
    EXPECT_STREQ(TranslationFont.FaceName, "Fixedsys");
}

TEST_F(TranslationList, FaceRuleFallsBackToArialAfterAStranger)
{
    EXPECT_TRUE(IsWantedFontFace("FIXEDSYS"));
    EXPECT_STREQ(FontFaceName, "Fixedsys");
    EXPECT_TRUE(IsWantedFontFace("arial")); // Arial is always welcome
    EXPECT_STREQ(FontFaceName, "Fixedsys");

    EXPECT_FALSE(IsWantedFontFace("Courier New"));
    EXPECT_STREQ(FontFaceName, "Arial");
    // From now on only Arial is taken, even the family first asked for.
    EXPECT_FALSE(IsWantedFontFace("Fixedsys"));
    EXPECT_TRUE(IsWantedFontFace("Arial"));
}

TEST_F(TranslationList, FailuresAreReportedWithTheirOwnMessages)
{
    TranslationState[0] = TS_INSTALL_LOAD;
    const std::string missing = folder_ / "no such folder/avaldata.dat";
    EXPECT_EQ(SaveTranslationList(missing.c_str(), nullptr), TranslationListResult::NotCreated);
    ASSERT_EQ(RecordedMessages().size(), 1u);
    EXPECT_EQ(RecordedMessages()[0].text, "Error creating used translation file.!!!");
    EXPECT_EQ(RecordedMessages()[0].caption, "SETUP");
    EXPECT_EQ(RecordedMessages()[0].flags, kMbIconError);

    // A device that takes no bytes: the writes are buffered, the close fails.
    RecordedMessages().clear();
    EXPECT_EQ(SaveTranslationList("/dev/full", nullptr), TranslationListResult::NotWritten);
    ASSERT_EQ(RecordedMessages().size(), 1u);
    EXPECT_EQ(RecordedMessages()[0].text,
              "Error writing used translation file, the disk may be full:\n/dev/full");
    EXPECT_EQ(RecordedMessages()[0].caption, "SETUP");
    EXPECT_EQ(RecordedMessages()[0].flags, kMbIconError);
}

} // namespace
