// The list the uninstaller removes: every name the two archives and the
// translation list put under the installation directory, each once, and none
// that could reach outside it.
#include "integration/installed_files.h"
#include "payload/payload_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(InstalledFiles, AreTheArchiveRecordsTheRecitationsAndTheTranslationList)
{
    std::set<std::string> names;
    char name[kShortPathChars];
    for (int index = 0; index < kInstalledFiles; ++index) {
        ASSERT_TRUE(InstalledFileName(index, name)) << index;
        EXPECT_TRUE(IsSafeRecordName(name)) << name;
        EXPECT_TRUE(names.insert(name).second) << "twice: " << name;
    }
    for (const char *expected : {"avaldata.dat", "sound\\001.mp3", "sound\\002.mp3", "sound\\114.mp3"})
        EXPECT_EQ(names.count(expected), 1u) << expected;
    PayloadEntry entry;
    for (int record = 0; record < kFilesArchiveRecords && DescribeFilesRecord(record, &entry); ++record)
        EXPECT_EQ(names.count(entry.Name), 1u) << entry.Name;
    EXPECT_FALSE(InstalledFileName(-1, name));
    EXPECT_FALSE(InstalledFileName(kInstalledFiles, name));
}
