// "avaldata.dat" read back by its documented offsets, not through the
// program's structs: a count, then per loaded row its 539 catalogue bytes and
// an 80-byte font record.
#include "payload/translation_list.h"

#include "common/message_box.h"
#include "common/message_box_host.h"
#include "common/text.h"
#include "payload_test_files.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

// A LOGFONTA as bytes; precision, quality and pitch as Fixedsys enumerates them.
std::string LogFont(int32_t height, int32_t width, int32_t weight, char italic, char charSet,
                    const char *face)
{
    std::string bytes(60, '\0');
    memcpy(&bytes[0], &height, 4);
    memcpy(&bytes[4], &width, 4);
    memcpy(&bytes[16], &weight, 4);
    bytes[20] = italic;
    bytes[23] = charSet;
    bytes.replace(24, 4, "\x01\x02\x01\x31");
    strcpy(&bytes[28], face);
    return bytes;
}

std::string Metrics(uint32_t emSize, double averageWidthRatio, double cellHeightRatio)
{
    char bytes[20];
    memcpy(bytes, &emSize, 4);
    memcpy(bytes + 4, &averageWidthRatio, 8);
    memcpy(bytes + 12, &cellHeightRatio, 8);
    return std::string(bytes, 20);
}

class TranslationList : public testing::Test
{
  protected:
    void SetUp() override
    {
        for (int row = 0; row < kTranslationRows; ++row)
            TranslationState[row] = IsAliasRow(row) ? TS_ALIAS_INSTALL : TS_INSTALL;
        memset(&TranslationFont, 0, sizeof TranslationFont);
        CopyInto(SetupName, "SETUP");
        RecordedMessages().clear();
    }
    std::string Save(const char *path, TranslationListResult result = TranslationListResult::Written)
    {
        EXPECT_EQ(SaveTranslationList(path, nullptr), result);
        return result == TranslationListResult::Written ? ReadFileBytes(path) : "";
    }
    TempFolder folder;
};

TEST_F(TranslationList, LoadedRowsInCatalogueOrderEachWithItsCharacterSet)
{
    const std::string path = folder / "avaldata.dat";
    WriteWholeFile(path, std::string(5000, 'x')); // an older, longer list is replaced
    EXPECT_EQ(Save(path.c_str()), std::string(4, '\0'));

    // Russian, Albanian, Thai and Croatian, an alias of Bosnian, loaded out of order.
    for (int row : {28, 0, 33, 7})
        TranslationState[row] = IsAliasRow(row) ? TS_ALIAS_INSTALL_LOAD : TS_INSTALL_LOAD;
    const struct {
        int dpi;
        uint32_t em, averageWidth, cellHeight;
        int32_t height; // 10 points of the cell height, cut towards zero
    } screens[] = {{96, 12, 8, 15, -16}, {120, 2048, 904, 2355, -19}};
    for (const auto &s : screens) {
        ScreenPixelsPerInchY = s.dpi;
        TakeEnumeratedFont(LogFont(15, 8, 400, 1, 0, "Fixedsys").data(), s.em, s.averageWidth, s.cellHeight);
        const std::string bytes = Save(path.c_str());
        ASSERT_EQ(bytes.size(), 4u + 4 * 619);
        EXPECT_EQ(bytes.substr(0, 4), std::string("\4\0\0\0", 4));
        const struct {
            const char *fileName, *displayName;
            char charSet;
        } expected[] = {{"ALBANIAN.TX_", "Albanian", 1},
                        {"BOSNIAN.TX_", "Croatian[Bosnian]", char(238)},
                        {"RUSSIAN.TX_", "Russian", char(204)},
                        {"THAI.TX_", "Thai", char(222)}};
        for (int m = 0; m < 4; ++m) {
            const char *row = bytes.data() + 4 + 619 * m;
            EXPECT_STREQ(row + 6, expected[m].fileName);
            EXPECT_STREQ(row + 266, expected[m].displayName);
            EXPECT_EQ(std::string(row + 539, 80),
                      LogFont(s.height, 0, 700, 0, expected[m].charSet, "Fixedsys") +
                          Metrics(s.em, double(s.averageWidth) / s.em, double(s.cellHeight) / s.em))
                << m;
        }
    }
}

TEST_F(TranslationList, WithoutAFontEachEntryKeepsOnlyWeightAndCharacterSet)
{
    TranslationState[20] = TS_ALIAS_INSTALL_LOAD; // "Japanese[Chinesse]", Shift-JIS
    std::string expected(80, '\0');
    expected.replace(16, 2, "\xBC\x02"); // 700: bold
    expected[23] = char(128);
    EXPECT_EQ(Save((folder / "avaldata.dat").c_str()).substr(4 + 539), expected);

    // A font without an em size has no ratios.
    TakeEnumeratedFont(LogFont(15, 8, 400, 1, 0, "Fixedsys").data(), 0, 8, 15);
    EXPECT_EQ(TranslationFont.AverageWidthRatio + TranslationFont.CellHeightRatio, 0.0);
}

TEST_F(TranslationList, FaceRuleFallsBackToArialAfterAStranger)
{
    CopyInto(FontFaceName, "Fixedsys");
    EXPECT_TRUE(IsWantedFontFace("FIXEDSYS"));
    EXPECT_TRUE(IsWantedFontFace("arial")); // Arial is always welcome
    EXPECT_FALSE(IsWantedFontFace("Courier New"));
    // From now on only Arial is taken, even the family first asked for.
    EXPECT_FALSE(IsWantedFontFace("Fixedsys"));
    EXPECT_TRUE(IsWantedFontFace("Arial"));
}

TEST_F(TranslationList, FailuresAreReportedWithTheirOwnMessages)
{
    TranslationState[0] = TS_INSTALL_LOAD;
    Save((folder / "no folder/avaldata.dat").c_str(), TranslationListResult::NotCreated);
    // A device that takes no bytes: the writes are buffered, the close fails.
    Save("/dev/full", TranslationListResult::NotWritten);
    ASSERT_EQ(RecordedMessages().size(), 2u);
    EXPECT_EQ(RecordedMessages()[0].text, "Error creating used translation file.!!!");
    EXPECT_NE(RecordedMessages()[1].text.find("disk may be full:\n/dev/full"), std::string::npos);
    for (const RecordedMessage &box : RecordedMessages())
        EXPECT_TRUE(box.caption == "SETUP" && box.flags == kMbIconError) << box.text;
}

} // namespace
