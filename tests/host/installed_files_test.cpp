// The list the uninstall size is measured over and the uninstaller removes:
// every name the two archives and the translation list can put under the
// installation directory, each once, and none that could reach outside it.
#include "integration/installed_files.h"
#include "payload/archive.h"
#include "payload/payload_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

} // namespace

TEST(InstalledFiles, AreTheArchiveRecordsTheRecitationsAndTheTranslationList)
{
    std::set<std::string> names;
    for (int index = 0; index < kInstalledFiles; ++index) {
        char name[kShortPathChars];
        ASSERT_TRUE(InstalledFileName(index, name)) << index;
        EXPECT_TRUE(IsSafeRecordName(name)) << name;
        EXPECT_TRUE(names.insert(Lower(name)).second) << "twice: " << name;
    }
    EXPECT_EQ(names.size(), 47u + 113u + 1u);
    for (int record = 0; record < kFilesArchiveRecords; ++record) {
        PayloadEntry entry;
        ASSERT_TRUE(DescribeFilesRecord(record, &entry));
        EXPECT_EQ(names.count(Lower(entry.Name)), 1u) << entry.Name;
    }
    for (const char *name : {"uninstall.exe", "dunvo.exe", "avaldata.dat", "sound\\001.mp3", "sound\\002.mp3",
                             "sound\\114.mp3", "qtext\\albanian.tx_"})
        EXPECT_EQ(names.count(name), 1u) << name;
    EXPECT_EQ(names.count("sound\\115.mp3"), 0u);

    char name[kShortPathChars] = "unchanged";
    EXPECT_FALSE(InstalledFileName(-1, name));
    EXPECT_FALSE(InstalledFileName(kInstalledFiles, name));
}
