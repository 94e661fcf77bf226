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

// A font record as bytes: a LOGFONTA (precision, quality, pitch and face as
// Fixedsys is enumerated), then the em size and the two ratios.
std::string FontRecord(int32_t height, int32_t width, int32_t weight, char italic, char charSet,
                       uint32_t emSize, double averageWidthRatio, double cellHeightRatio)
{
    std::string bytes(80, '\0');
    memcpy(&bytes[0], &height, 4);
    memcpy(&bytes[4], &width, 4);
    memcpy(&bytes[16], &weight, 4);
    bytes[20] = italic;
    bytes[23] = charSet;
    bytes.replace(24, 12,
                  "\x01\x02\x01"
                  "1Fixedsys"); // 0x31: fixed pitch, modern
    memcpy(&bytes[60], &emSize, 4);
    memcpy(&bytes[64], &averageWidthRatio, 8);
    memcpy(&bytes[72], &cellHeightRatio, 8);
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
    // 15 / 12 of an em, 10 points at 120 dots per inch: 20.83 pixels, cut towards zero.
    ScreenPixelsPerInchY = 120;
    TakeEnumeratedFont(FontRecord(15, 8, 400, 1, 0, 0, 0, 0).data(), 12, 8, 15);
    const std::string bytes = Save(path.c_str());
    ASSERT_EQ(bytes.size(), 4u + 4 * 619);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\4\0\0\0", 4));
    const std::pair<const char *, char> expected[] = {
        {"Albanian", 1}, {"Croatian[Bosnian]", char(238)}, {"Russian", char(204)}, {"Thai", char(222)}};
    for (int m = 0; m < 4; ++m) {
        const char *row = bytes.data() + 4 + 619 * m;
        EXPECT_STREQ(row + 266, expected[m].first);
        EXPECT_EQ(std::string(row + 539, 80),
                  FontRecord(-20, 0, 700, 0, expected[m].second, 12, 8.0 / 12, 15.0 / 12))
            << m;
    }
    EXPECT_STREQ(bytes.data() + 4 + 619 + 6, "BOSNIAN.TX_"); // the alias row with its target's file
}

TEST_F(TranslationList, FontRuleFallsBackToArialAfterAStranger)
{
    CopyInto(FontFaceName, "Fixedsys");
    EXPECT_TRUE(IsWantedFontFace("FIXEDSYS"));
    EXPECT_TRUE(IsWantedFontFace("arial")); // Arial is always welcome
    EXPECT_FALSE(IsWantedFontFace("Courier New"));
    // From now on only Arial is taken, even the family first asked for.
    EXPECT_FALSE(IsWantedFontFace("Fixedsys"));
    EXPECT_TRUE(IsWantedFontFace("Arial"));

    // A font without an em size has no ratios.
    TakeEnumeratedFont(FontRecord(15, 8, 400, 1, 0, 0, 0, 0).data(), 0, 8, 15);
    EXPECT_EQ(TranslationFont.AverageWidthRatio + TranslationFont.CellHeightRatio, 0.0);
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
