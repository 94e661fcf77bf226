#include "integration/installed_files.h"

#include "common/text.h"
#include "payload/payload_table.h"

static_assert(kRecitationArchiveRecords == kRecitationCount - 1,
              "recitation 001 travels in the files archive");

bool InstalledFileName(int index, char (&name)[kShortPathChars])
{
    PayloadEntry entry;
    if (index >= 0 && index < kFilesArchiveRecords) {
        if (!DescribeFilesRecord(index, &entry))
            return false;
    } else if (index >= kFilesArchiveRecords && index < kInstalledFiles - 1) {
        if (!DescribeRecitation(index - kFilesArchiveRecords + 1, &entry))
            return false;
    } else if (index == kInstalledFiles - 1) {
        return CopyInto(name, "avaldata.dat");
    } else {
        return false;
    }
    return CopyInto(name, entry.Name);
}
