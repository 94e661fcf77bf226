// The selection rules as a user meets them on the options page: clicks,
// column clicks and Next, with the byte total the space line shows.
#include "options/catalogue.h"
#include "options/selection.h"

#include <gtest/gtest.h>

namespace
{

// The rule written out again, so the code's own sum is not its judge.
uint32_t ExpectedBytes()
{
    uint64_t total = 5426152;
    for (int row = 0; row < kTranslationRows; ++row)
        if (TranslationState[row] == TS_INSTALL || TranslationState[row] == TS_INSTALL_LOAD)
            total += ComponentCatalogue[row].FileSize;
    for (int index = 1; index < kRecitationCount; ++index)
        total += RecitationState[index] == RS_INSTALL ? RecitationSizes[index] : 0;
    return uint32_t(total);
}

std::string Refusal()
{
    return CheckSelection() ? CheckSelection() : "";
}

TEST(Selection, ClicksGoRoundTheStatesAndNextTakesOneToFourLoaded)
{
    StartSelection(true);
    EXPECT_EQ(RequiredBytes, 19704738u);                     // every translation file of the shipped payload
    EXPECT_NE(Refusal().find("[1 - 4]"), std::string::npos); // none loaded yet
    const std::pair<int, std::vector<int32_t>> clicks[] = {
        {0, {TS_INSTALL_LOAD, TS_DONT_INSTALL, TS_INSTALL}},
        {7, {TS_ALIAS_INSTALL_LOAD, TS_ALIAS_DONT_INSTALL, TS_ALIAS_INSTALL}}}; // an alias
    for (const auto &[row, states] : clicks)
        for (int32_t state : states) {
            CycleTranslation(row);
            EXPECT_EQ(TranslationState[row], state) << row;
            EXPECT_EQ(RequiredBytes, ExpectedBytes());
        }
    CycleTranslation(-1); // outside the list: nothing
    CycleTranslation(kTranslationRows);
    ClearAllTranslations();
    EXPECT_NE(Refusal().find("install at least one"), std::string::npos);
    const int rows[] = {7, 20, 0, 1, 2}; // aliases alone are enough
    for (int loaded = 1; loaded <= 5; ++loaded) {
        CycleTranslation(rows[loaded - 1]);
        CycleTranslation(rows[loaded - 1]);
        EXPECT_EQ(CheckSelection() == nullptr, loaded <= 4) << loaded;
    }
}

TEST(Selection, RecitationsAreTheUsersFrom002OnAndOnlyWhenAvailable)
{
    for (bool available : {true, false}) {
        StartSelection(available);
        SelectAllRecitations();
        for (int index : {0, 3, 3, -1, kRecitationCount}) // 001 travels in the payload
            ToggleRecitation(index);
        for (int index = 0; index < kRecitationCount; ++index)
            EXPECT_EQ(RecitationState[index], !available ? RS_NOT_AVAILABLE
                                              : index    ? RS_INSTALL
                                                         : RS_DONT_INSTALL);
        EXPECT_EQ(RequiredBytes, available ? 324504060u : 19704738u); // everything there is
        ClearAllRecitations();
        EXPECT_EQ(RequiredBytes, ExpectedBytes());
    }
}

// An offered alias needs its target's file: Croatian (row 7) stands for Bosnian's (row 4).
TEST(Selection, FixUpGivesAnOfferedAliasItsTargetsFile)
{
    for (int32_t alias : {TS_ALIAS_INSTALL, TS_ALIAS_INSTALL_LOAD, TS_ALIAS_DONT_INSTALL}) {
        StartSelection(true);
        ClearAllTranslations();
        TranslationState[7] = alias;
        FixUpAliases();
        EXPECT_EQ(TranslationState[4], alias == TS_ALIAS_DONT_INSTALL ? TS_DONT_INSTALL : TS_INSTALL)
            << alias;
        EXPECT_EQ(RequiredBytes, ExpectedBytes());
    }
    TranslationState[4] = TS_INSTALL_LOAD;
    TranslationState[7] = TS_ALIAS_INSTALL;
    FixUpAliases();
    EXPECT_EQ(TranslationState[4], TS_INSTALL_LOAD); // a loaded target stays loaded
}

} // namespace
