// What the rest of the setup takes on trust from the catalogue, the list of
// installed files and the bounded text helpers.
#include "common/text.h"
#include "integration/installed_files.h"
#include "options/catalogue.h"
#include "payload/payload_table.h"

#include <gtest/gtest.h>

#include <set>

// "avaldata.dat" carries each row's number, and an alias row stands for its
// target's file, so both must name the same file and size.
TEST(Catalogue, RowsAreNumberedAndAliasesShareTheirTargetsFile)
{
    for (int row = 0; row < kTranslationRows; ++row)
        EXPECT_EQ(int{ComponentCatalogue[row].RowNumber}, row);
    for (int k = 0; k < kAliasCount; ++k) {
        const ComponentEntry &alias = ComponentCatalogue[AliasRows[k]],
                             &target = ComponentCatalogue[AliasTargets[k]];
        EXPECT_TRUE(IsAliasRow(AliasRows[k]) && !IsAliasRow(AliasTargets[k])) << AliasRows[k];
        EXPECT_STREQ(alias.FileName, target.FileName);
        EXPECT_EQ(uint32_t{alias.FileSize}, uint32_t{target.FileSize}) << alias.FileName;
    }
}

// What the uninstaller removes: every name the two archives and the
// translation list put under the installation directory, each once, none
// that could reach outside it.
TEST(InstalledFiles, AreTheArchiveRecordsTheRecitationsAndTheTranslationList)
{
    std::set<std::string> names;
    char name[kShortPathChars];
    size_t longestName = 0, longestFolder = 0;
    for (int index = 0; index < kInstalledFiles; ++index) {
        ASSERT_TRUE(InstalledFileName(index, name)) << index;
        EXPECT_TRUE(IsSafeRecordName(name) && names.insert(name).second) << name;
        longestName = std::max(longestName, strlen(name) + 1); // and its '~'
        const char *folderEnd = strrchr(name, '\\');
        longestFolder = std::max(longestFolder, folderEnd ? size_t(folderEnd - name) : 0);
    }
    // The options page refuses a directory too long for them by these two.
    EXPECT_EQ(longestName, size_t{kLongestInstalledName});
    EXPECT_EQ(longestFolder, size_t{kLongestInstalledFolder});
    PayloadEntry entry;
    for (int record = 0; record < kFilesArchiveRecords && DescribeFilesRecord(record, &entry); ++record)
        EXPECT_EQ(names.count(entry.Name), 1u) << entry.Name;
    for (const char *expected : {"avaldata.dat", "sound\\002.mp3", "sound\\114.mp3"})
        EXPECT_EQ(names.count(expected), 1u) << expected;
    EXPECT_FALSE(InstalledFileName(-1, name) || InstalledFileName(kInstalledFiles, name));
}

// A text that does not fit, by even one character, leaves an empty string:
// a cut path must never pass for the whole one.
TEST(BoundedText, TellsWhetherTheWholeTextFit)
{
    char buffer[8];
    for (const char *text : {"1234567", "12345678"}) {
        const bool fits = strlen(text) < sizeof buffer;
        EXPECT_EQ(FormatInto(buffer, "%s", text), fits) << text;
        EXPECT_STREQ(buffer, fits ? text : "");
        EXPECT_EQ(CopyInto(buffer, text), fits) << text;
        EXPECT_STREQ(buffer, fits ? text : "");
    }
}
