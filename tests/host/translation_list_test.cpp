// "avaldata.dat" read back by its documented offsets, not through the
// program's structs: a count, then per loaded row its 539 catalogue bytes and
// an 80-byte font record.
#include "payload/translation_list.h"

#include "common/message_box.h"
#include "common/message_box_host.h"
#include "common/text.h"
#include "payload_test_files.h"

#include <cstring>
#include <filesystem>

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

void Reset(const std::vector<int> &loadedRows)
{
    for (int row = 0; row < kTranslationRows; ++row)
        TranslationState[row] = IsAliasRow(row) ? TS_ALIAS_INSTALL : TS_INSTALL;
    for (int row : loadedRows)
        TranslationState[row] = IsAliasRow(row) ? TS_ALIAS_INSTALL_LOAD : TS_INSTALL_LOAD;
    CopyInto(SetupName, "SETUP");
    CopyInto(FontFaceName, "Fixedsys");
    RecordedMessages().clear();
}

TEST(TranslationList, LoadedRowsInCatalogueOrderEachWithItsCharacterSet)
{
    TempFolder folder;
    const std::string path = folder / "avaldata.dat";
    WriteWholeFile(path, std::string(5000, 'x')); // an older, longer list is replaced
    Reset({});
    EXPECT_EQ(SaveTranslationList(path.c_str(), nullptr), TranslationListResult::Written);
    EXPECT_EQ(ReadFileBytes(path), std::string(4, '\0'));

    // Russian, Albanian, Thai and Croatian, an alias of Bosnian, loaded out of order.
    Reset({28, 0, 33, 7});
    // 15 / 12 of an em, 10 points at 120 dots per inch: 20.83 pixels, cut towards zero.
    ScreenPixelsPerInchY = 120;
    TakeEnumeratedFont(FontRecord(15, 8, 400, 1, 0, 0, 0, 0).data(), 12, 8, 15);
    EXPECT_EQ(SaveTranslationList(path.c_str(), nullptr), TranslationListResult::Written);
    const std::string bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 4u + 4 * 619);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\4\0\0\0", 4));
    const std::pair<const char *, char> expected[] = {
        {"Albanian", 1}, {"Croatian[Bosnian]", char(238)}, {"Russian", char(204)}, {"Thai", char(222)}};
    for (int m = 0; m < 4; ++m) {
        EXPECT_STREQ(&bytes[4 + 619 * m + 266], expected[m].first);
        EXPECT_EQ(bytes.substr(4 + 619 * m + 539, 80),
                  FontRecord(-20, 0, 700, 0, expected[m].second, 12, 8.0 / 12, 15.0 / 12))
            << m;
    }
    EXPECT_STREQ(&bytes[4 + 619 + 6], "BOSNIAN.TX_"); // the alias row with its target's file
}

TEST(TranslationList, FontRuleFallsBackToArialAfterAStranger)
{
    Reset({});
    EXPECT_TRUE(IsWantedFontFace("FIXEDSYS"));
    EXPECT_TRUE(IsWantedFontFace("arial")); // Arial is always welcome
    EXPECT_FALSE(IsWantedFontFace("Courier New"));
    EXPECT_FALSE(IsWantedFontFace("Fixedsys")); // from now on only Arial
    EXPECT_TRUE(IsWantedFontFace("Arial"));
    // A font without an em size has no ratios.
    TakeEnumeratedFont(FontRecord(15, 8, 400, 1, 0, 0, 0, 0).data(), 0, 8, 15);
    EXPECT_EQ(TranslationFont.AverageWidthRatio + TranslationFont.CellHeightRatio, 0.0);
}

TEST(TranslationList, FailuresAreReportedWithTheirOwnMessages)
{
    TempFolder folder;
    Reset({0});
    EXPECT_EQ(SaveTranslationList((folder / "no/avaldata.dat").c_str(), nullptr),
              TranslationListResult::NotCreated);
    // Files may grow to 100 bytes only, as on a full disk: the writes are
    // buffered, the close fails, and the earlier list stays as it was.
    const std::string path = folder / "avaldata.dat";
    WriteWholeFile(path, "earlier");
    {
        FileSizeLimit full(100);
        EXPECT_EQ(SaveTranslationList(path.c_str(), nullptr), TranslationListResult::NotWritten);
    }
    EXPECT_EQ(ReadFileBytes(path), "earlier");
    EXPECT_FALSE(std::filesystem::exists(path + "~"));
    ASSERT_EQ(RecordedMessages().size(), 2u);
    EXPECT_EQ(RecordedMessages()[0].text, "Error creating used translation file.!!!");
    EXPECT_NE(RecordedMessages()[1].text.find("disk may be full:\n" + path), std::string::npos);
    for (const RecordedMessage &box : RecordedMessages())
        EXPECT_TRUE(box.caption == "SETUP" && box.flags == kMbIconError) << box.text;
}

} // namespace
