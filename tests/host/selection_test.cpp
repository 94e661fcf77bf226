// The options page's rules: clicks, column clicks and Next, with the byte total the space line
// shows, and the lists' colours. What a row then reads is read from the page (e2e options group).
#include "options/catalogue.h"
#include "options/list_colours.h"
#include "options/selection.h"

#include <gtest/gtest.h>

namespace
{

TEST(Selection, ClicksGoRoundTheStatesAndNextTakesOneToFourLoaded)
{
    const auto Refusal = [] { return std::string(CheckSelection() ? CheckSelection() : ""); };
    StartSelection(true);
    const uint32_t all = 19704738;                           // every translation file of the shipped payload
    EXPECT_NE(Refusal().find("[1 - 4]"), std::string::npos); // none loaded yet
    // From the start values: Albanian's size goes and comes back; an alias has none of its own.
    const std::tuple<int, int32_t, uint32_t> clicks[] = {
        {0, TS_INSTALL_LOAD, all},       {0, TS_DONT_INSTALL, all - 468571}, {0, TS_INSTALL, all},
        {7, TS_ALIAS_INSTALL_LOAD, all}, {7, TS_ALIAS_DONT_INSTALL, all},    {7, TS_ALIAS_INSTALL, all}};
    for (const auto &[row, state, bytes] : clicks) {
        CycleTranslation(row);
        EXPECT_EQ(TranslationState[row], state) << row;
        EXPECT_EQ(RequiredBytes, bytes) << row;
    }
    CycleTranslation(-1), CycleTranslation(kTranslationRows); // outside the list: nothing
    ClearAllTranslations();
    EXPECT_NE(Refusal().find("install at least one"), std::string::npos);
    const int rows[] = {7, 20, 0, 1, 2}; // aliases alone are enough
    for (int loaded = 1; loaded <= 5; ++loaded) {
        CycleTranslation(rows[loaded - 1]), CycleTranslation(rows[loaded - 1]); // to loaded
        EXPECT_EQ(CheckSelection() == nullptr, loaded <= 4) << loaded;
    }
}

TEST(Selection, RecitationsCountFrom002OnAndOnlyWhenAvailable)
{
    for (bool available : {true, false}) {
        StartSelection(available);
        SelectAllRecitations();
        for (int index : {0, 3, 3, -1, kRecitationCount}) // 001 travels in the payload
            ToggleRecitation(index);
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
        EXPECT_EQ(RequiredBytes, BaseRequiredBytes + (fixed ? 403024 : 0)) << alias; // Bosnian's, if any
    }
    TranslationState[4] = TS_INSTALL_LOAD;
    TranslationState[7] = TS_ALIAS_INSTALL;
    FixUpAliases();
    EXPECT_EQ(TranslationState[4], TS_INSTALL_LOAD); // a loaded target stays loaded
}

// A high-contrast theme's window, text and highlight colours, on any Windows; else the dark look.
TEST(ListColours, AHighContrastThemeGivesItsOwnColours)
{
    const SystemColours system = {1, 2, 3, 4, 5, 6, 7, 8}; // every system colour told apart
    using Colours = std::vector<uint32_t>;
    const std::vector<Colours> expected = {{4, 1, 2, 3}, {4, 1, 2, 3}, {5, 6, 7, 8}, {0xFFFFFF, 0, 7, 8}};
    for (int look = 0; look < 4; ++look) { // high contrast, then not; each on NT 4.0 or not
        const ListColours c = ChooseListColours(system, look < 2, look % 2);
        EXPECT_EQ(Colours({c.selectedText, c.back, c.itemText, c.selectedFill}), expected[look]) << look;
    }
}

} // namespace
