// The selection rules as a user meets them on the options page: clicks,
// column clicks and Next, with the byte total the space line shows.
#include "options/catalogue.h"
#include "options/selection.h"

#include <gtest/gtest.h>

namespace
{

std::string Refusal()
{
    return CheckSelection() ? CheckSelection() : "";
}

TEST(Selection, ClicksGoRoundTheStatesAndNextTakesOneToFourLoaded)
{
    StartSelection(true);
    const uint32_t all = 19704738; // every translation file of the shipped payload
    EXPECT_EQ(RequiredBytes, all);
    EXPECT_NE(Refusal().find("[1 - 4]"), std::string::npos); // none loaded yet
    const std::pair<int, std::vector<std::pair<int32_t, uint32_t>>> clicks[] = {
        {0, {{TS_INSTALL_LOAD, all}, {TS_DONT_INSTALL, all - 468571}, {TS_INSTALL, all}}}, // Albanian's size
        {7, {{TS_ALIAS_INSTALL_LOAD, all}, {TS_ALIAS_DONT_INSTALL, all}, {TS_ALIAS_INSTALL, all}}}};
    for (const auto &[row, steps] : clicks)
        for (const auto &[state, bytes] : steps) {
            CycleTranslation(row);
            EXPECT_EQ(TranslationState[row], state) << row;
            EXPECT_EQ(RequiredBytes, bytes) << row;
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
        EXPECT_EQ(RequiredBytes, 19704738u);
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
        const bool fixed = alias != TS_ALIAS_DONT_INSTALL;
        EXPECT_EQ(TranslationState[4], fixed ? TS_INSTALL : TS_DONT_INSTALL) << alias;
        EXPECT_EQ(RequiredBytes, 5426152u + (fixed ? 403024 : 0)) << alias; // nothing else, and Bosnian
    }
    TranslationState[4] = TS_INSTALL_LOAD;
    TranslationState[7] = TS_ALIAS_INSTALL;
    FixUpAliases();
    EXPECT_EQ(TranslationState[4], TS_INSTALL_LOAD); // a loaded target stays loaded
}

} // namespace
