// What the rest of the setup relies on in the catalogue's rows: each row is
// numbered by its place ("avaldata.dat" carries the number), and an alias row
// stands for its target's file, so both must name the same file and size.
#include "options/catalogue.h"

#include <gtest/gtest.h>

TEST(Catalogue, RowsAreNumberedAndAliasesShareTheirTargetsFile)
{
    int aliases = 0;
    for (int row = 0; row < kTranslationRows; ++row) {
        EXPECT_EQ(int{ComponentCatalogue[row].RowNumber}, row);
        aliases += IsAliasRow(row);
    }
    EXPECT_EQ(aliases, kAliasCount);
    for (int k = 0; k < kAliasCount; ++k) {
        const ComponentEntry &alias = ComponentCatalogue[AliasRows[k]],
                             &target = ComponentCatalogue[AliasTargets[k]];
        EXPECT_FALSE(IsAliasRow(AliasTargets[k])) << AliasRows[k];
        EXPECT_STREQ(alias.FileName, target.FileName);
        EXPECT_EQ(uint32_t{alias.FileSize}, uint32_t{target.FileSize}) << alias.FileName;
    }
}
