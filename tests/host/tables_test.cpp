// What the rest of the setup takes on trust from the catalogue and the list of
// records, the list of installed files and the bounded text helpers.
#include "common/text.h"
#include "integration/installed_files.h"
#include "options/catalogue.h"
#include "payload/payload_table.h"
#include "tests/expected_facts.h"

#include <gtest/gtest.h>

#include <numeric>
#include <set>

// The setup's own tables against the facts written down in tests/data: a
// wrong name, size, character set or row order there would otherwise be
// packed, installed and listed in "avaldata.dat" faithfully.
TEST(Tables, AgreeWithTheFactsWrittenDown)
{
    const std::vector<FactRow> rows = ReadFacts("translations.txt"), records = ReadFacts("records.txt");
    ASSERT_EQ(rows.size(), size_t{kTranslationRows});
    ASSERT_EQ(records.size(), size_t{kFilesArchiveRecords});
    std::vector<int32_t> aliases, targets;
    for (int row = 0; row < kTranslationRows; ++row) {
        EXPECT_EQ(
            std::string(reinterpret_cast<const char *>(&ComponentCatalogue[row]), sizeof(ComponentEntry)),
            TranslationEntryBytes(rows[row]))
            << "row " << row << ", " << rows[row][kShownName];
        const bool alias = rows[row][kAliasOf] != "-";
        EXPECT_EQ(IsAliasRow(row), int{alias}) << row;
        if (alias)
            aliases.push_back(row), targets.push_back(int32_t(Number(rows[row][kAliasOf])));
    }
    EXPECT_EQ(std::vector<int32_t>(AliasRows, AliasRows + kAliasCount), aliases);
    EXPECT_EQ(std::vector<int32_t>(AliasTargets, AliasTargets + kAliasCount), targets);
    PayloadEntry entry;
    for (int record = 0; record < kFilesArchiveRecords; ++record) {
        ASSERT_TRUE(DescribeFilesRecord(record, &entry)) << record;
        EXPECT_EQ(entry.Name, records[record][1]) << record;
        EXPECT_EQ(entry.Size, Number(records[record][2])) << entry.Name;
    }
    const uint32_t *sizes = RecitationSizes, *end = RecitationSizes + kRecitationCount;
    for (const FactRow &fact : ReadFacts("recitations.txt")) {
        const unsigned long figure = fact[0] == "sum"        ? std::accumulate(sizes + 1, end, 0ul)
                                     : fact[0] == "largest"  ? *std::max_element(sizes + 1, end)
                                     : fact[0] == "smallest" ? *std::min_element(sizes + 1, end)
                                                             : sizes[std::stoi(fact[0])];
        EXPECT_EQ(figure, Number(fact[1])) << "recitation sizes: " << fact[0];
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
