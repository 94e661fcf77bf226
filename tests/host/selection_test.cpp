// The selection rules as a user meets them on the options page: clicks,
// column clicks and Next, with the byte total the space line shows.
#include "options/catalogue.h"
#include "options/selection.h"

#include <gtest/gtest.h>

#include <random>

namespace
{

constexpr uint32_t kStartBytes = 19704738; // every translation file, nothing else
constexpr int kAlbanian = 0, kBosnian = 4, kCroatian = 7, kPortuguese = 27, kChinese = 6;
const char kNothingInstalled[] = "You must install at least one Holy Qur'an translation !";
const char kLoadedOutOfRange[] = "You must select between [1 - 4] Holy Qur'an translation for Loading!\n"
                                 "You do that by checking checked translation for a second time.";

// The rule, written out again here so the code's own sum is not its judge.
uint64_t ExpectedBytes()
{
    uint64_t total = 5426152;
    for (int row = 0; row < kTranslationRows; ++row) {
        int32_t state = TranslationState[row];
        bool alias = row == 5 || row == 7 || row == 20 || row == 29;
        if (!alias && (state == 1 || state == 2))
            total += ComponentCatalogue[row].FileSize;
    }
    for (int index = 1; index < kRecitationCount; ++index)
        if (RecitationState[index] == 1)
            total += RecitationSizes[index];
    return total;
}

class Selection : public testing::Test
{
  protected:
    void SetUp() override { StartSelection(true); }
};

} // namespace

TEST_F(Selection, StartsWithEveryTranslationInstalledNoneLoaded)
{
    for (int row = 0; row < kTranslationRows; ++row)
        EXPECT_EQ(TranslationState[row], IsAliasRow(row) ? TS_ALIAS_INSTALL : TS_INSTALL) << row;
    for (int index = 0; index < kRecitationCount; ++index)
        EXPECT_EQ(RecitationState[index], RS_DONT_INSTALL) << index;
    EXPECT_EQ(RecitationsAvailable, 1);
    EXPECT_EQ(RequiredBytes, kStartBytes);
    // Nothing loaded yet: Next is refused until the user loads one.
    EXPECT_STREQ(CheckSelection(), kLoadedOutOfRange);
}

TEST_F(Selection, AlbanianCyclesThroughInstallLoadAndNothing)
{
    CycleTranslation(kAlbanian);
    EXPECT_EQ(TranslationState[kAlbanian], TS_INSTALL_LOAD);
    EXPECT_EQ(RequiredBytes, kStartBytes);
    EXPECT_EQ(CheckSelection(), nullptr);

    CycleTranslation(kAlbanian);
    EXPECT_EQ(TranslationState[kAlbanian], TS_DONT_INSTALL);
    EXPECT_EQ(RequiredBytes, kStartBytes - 468571);

    CycleTranslation(kAlbanian);
    EXPECT_EQ(TranslationState[kAlbanian], TS_INSTALL);
    EXPECT_EQ(RequiredBytes, kStartBytes);
}

TEST_F(Selection, AliasRowCyclesWithoutChangingTheTotal)
{
    const int32_t seen[] = {TS_ALIAS_INSTALL_LOAD, TS_ALIAS_DONT_INSTALL, TS_ALIAS_INSTALL};
    for (int32_t state : seen) {
        CycleTranslation(kCroatian);
        EXPECT_EQ(TranslationState[kCroatian], state);
        EXPECT_EQ(RequiredBytes, kStartBytes);
    }
    // A click outside the list changes nothing.
    CycleTranslation(-1);
    CycleTranslation(kTranslationRows);
    EXPECT_EQ(RequiredBytes, kStartBytes);
}

TEST_F(Selection, SelectAllAndClearAllKeepTheOtherListsShare)
{
    CycleTranslation(kAlbanian); // loaded
    CycleTranslation(kCroatian); // alias loaded
    ToggleRecitation(1);
    ToggleRecitation(113);
    const uint32_t recitations = 13407752 + 97512;
    EXPECT_EQ(RequiredBytes, kStartBytes + recitations);

    SelectAllTranslations();
    EXPECT_EQ(TranslationState[kAlbanian], TS_INSTALL);
    EXPECT_EQ(TranslationState[kCroatian], TS_ALIAS_INSTALL);
    EXPECT_EQ(RequiredBytes, kStartBytes + recitations);

    ClearAllTranslations();
    for (int row = 0; row < kTranslationRows; ++row)
        EXPECT_EQ(TranslationState[row], IsAliasRow(row) ? TS_ALIAS_DONT_INSTALL : TS_DONT_INSTALL) << row;
    EXPECT_EQ(RequiredBytes, 5426152u + recitations);
    EXPECT_STREQ(CheckSelection(), kNothingInstalled);

    SelectAllRecitations();
    EXPECT_EQ(RecitationState[0], RS_DONT_INSTALL); // index 0 is not the user's to pick
    EXPECT_EQ(RequiredBytes, 5426152u + 304799322u);
    SelectAllTranslations();
    EXPECT_EQ(RequiredBytes, kStartBytes + 304799322u); // everything there is: 324,504,060

    ClearAllRecitations();
    EXPECT_EQ(RequiredBytes, kStartBytes);
}

TEST_F(Selection, RecitationZeroIsNeverCountedOrToggled)
{
    ToggleRecitation(0);
    EXPECT_EQ(RecitationState[0], RS_DONT_INSTALL);
    EXPECT_EQ(RequiredBytes, kStartBytes);
    ToggleRecitation(kRecitationCount);
    EXPECT_EQ(RequiredBytes, kStartBytes);

    ToggleRecitation(3);
    EXPECT_EQ(RequiredBytes, kStartBytes + 14550646);
    ToggleRecitation(3);
    EXPECT_EQ(RecitationState[3], RS_DONT_INSTALL);
    EXPECT_EQ(RequiredBytes, kStartBytes);
}

TEST(SelectionWithoutRecitations, UnavailableRecitationsStayUnavailable)
{
    StartSelection(false);
    EXPECT_EQ(RecitationsAvailable, 0);
    ToggleRecitation(5);
    SelectAllRecitations();
    for (int index = 0; index < kRecitationCount; ++index)
        EXPECT_EQ(RecitationState[index], RS_NOT_AVAILABLE) << index;
    ClearAllRecitations();
    for (int index = 0; index < kRecitationCount; ++index)
        EXPECT_EQ(RecitationState[index], RS_NOT_AVAILABLE) << index;
    EXPECT_EQ(RequiredBytes, kStartBytes);
}

TEST_F(Selection, LoadedAliasBringsInItsTargetsFile)
{
    CycleTranslation(kBosnian);  // 2: loaded
    CycleTranslation(kBosnian);  // 0: not installed
    CycleTranslation(kCroatian); // 4: Croatian[Bosnian] loaded
    EXPECT_EQ(RequiredBytes, kStartBytes - 403024);
    EXPECT_EQ(CheckSelection(), nullptr); // an alias row counts as installed and loaded

    FixUpAliases();
    EXPECT_EQ(TranslationState[kBosnian], TS_INSTALL);
    EXPECT_EQ(TranslationState[kCroatian], TS_ALIAS_INSTALL_LOAD);
    EXPECT_EQ(RequiredBytes, kStartBytes);
}

TEST_F(Selection, FourLoadedAliasesAloneAreAcceptedAndFixedUp)
{
    ClearAllTranslations();
    for (int row : {5, 7, 20, 29}) {
        CycleTranslation(row); // 3
        CycleTranslation(row); // 4
    }
    EXPECT_EQ(RequiredBytes, 5426152u);
    EXPECT_EQ(CheckSelection(), nullptr);

    FixUpAliases();
    for (int row = 0; row < kTranslationRows; ++row) {
        int32_t expected = IsAliasRow(row) ? TS_ALIAS_INSTALL_LOAD
                           : (row == kPortuguese || row == kBosnian || row == kChinese) ? TS_INSTALL
                                                                                        : TS_DONT_INSTALL;
        EXPECT_EQ(TranslationState[row], expected) << row;
    }
    EXPECT_EQ(RequiredBytes, 5426152u + 425496 + 403024 + 510593);
}

TEST_F(Selection, AliasNotOfferedLeavesItsTargetAlone)
{
    CycleTranslation(kBosnian);
    CycleTranslation(kBosnian); // Bosnian 0
    for (int row : {7, 29}) {
        CycleTranslation(row); // 4
        CycleTranslation(row); // 5: not offered
    }
    FixUpAliases();
    EXPECT_EQ(TranslationState[kBosnian], TS_DONT_INSTALL);
}

TEST_F(Selection, OneToFourLoadedRowsAreAccepted)
{
    for (int row : {0, 1, 2, 3}) {
        CycleTranslation(row);
        EXPECT_EQ(CheckSelection(), nullptr) << row;
    }
    CycleTranslation(kCroatian); // the fifth loaded row, an alias
    EXPECT_STREQ(CheckSelection(), kLoadedOutOfRange);
    CycleTranslation(kCroatian); // 5: not offered
    EXPECT_EQ(CheckSelection(), nullptr);
}

TEST_F(Selection, RequiredBytesFollowsAnySequenceOfActions)
{
    std::mt19937 random(20260607);
    for (int step = 0; step < 5000; ++step) {
        switch (random() % 8) {
        case 0:
        case 1:
        case 2:
            CycleTranslation(static_cast<int>(random() % (kTranslationRows + 2)) - 1);
            break;
        case 3:
        case 4:
            ToggleRecitation(static_cast<int>(random() % (kRecitationCount + 2)) - 1);
            break;
        case 5:
            (random() % 2 ? SelectAllTranslations : ClearAllTranslations)();
            break;
        case 6:
            (random() % 2 ? SelectAllRecitations : ClearAllRecitations)();
            break;
        case 7:
            if (random() % 4 == 0)
                FixUpAliases();
            break;
        }
        ASSERT_EQ(RequiredBytes, ExpectedBytes()) << "step " << step;
        for (int row = 0; row < kTranslationRows; ++row) {
            int32_t state = TranslationState[row];
            if (IsAliasRow(row))
                ASSERT_TRUE(state >= 3 && state <= 5) << row << " " << state;
            else
                ASSERT_TRUE(state >= 0 && state <= 2) << row << " " << state;
        }
        ASSERT_EQ(RecitationState[0], RS_DONT_INSTALL);
    }
}
