#include "payload/payload_table.h"

#include "common/text.h"
#include "options/catalogue.h"
#include "payload/archive.h"

const FixedPayloadFile FixedPayloadFiles[kFixedPayloadFiles] = {
    {"images\\earth.bmp", 1500054},
    {"images\\asteroid.bmp", 87214},
    {"images\\book.bmp", 623886},
    {"images\\page.bmp", 43174},
    {"images\\explosion.bmp", 180054},
    {"dunvo.exe", 693760},
    {"dunvo.cfg", 3410},
    {"dunvohelp.chm", 37312},
    {"readme.rtf", 2263},
    {"uninstall.exe", 64000},
    {"hsearch.cgi", 2004},
    {"panim.dat", 633776},
    {"ptdata.txt", 19150},
    {"sound\\start.mp3", 26129},
    {"sound\\default.lst", 1091},
};

static_assert(kFirstFixedRecord == kTranslationFiles, "the translation records come first");
static_assert(kFirstFixedRecord + kFixedPayloadFiles + 1 == kFilesArchiveRecords,
              "sound\\001.mp3 comes last");

int TranslationRecordRow(int record)
{
    for (int row = 0, seen = 0; row < kTranslationRows; ++row) {
        if (IsAliasRow(row))
            continue;
        if (seen++ == record)
            return row;
    }
    return -1;
}

bool DescribeRecitation(int index, PayloadEntry *entry)
{
    if (index < 0 || index >= kRecitationCount)
        return false;
    entry->Size = RecitationSizes[index];
    return FormatInto(entry->Name, "sound\\%03d.mp3", index + 1);
}

bool DescribeFilesRecord(int index, PayloadEntry *entry)
{
    if (index < 0 || index >= kFilesArchiveRecords)
        return false;
    if (index < kFirstFixedRecord) {
        int row = TranslationRecordRow(index);
        if (row < 0)
            return false;
        entry->Size = ComponentCatalogue[row].FileSize;
        return FormatInto(entry->Name, "qtext\\%s", ComponentCatalogue[row].FileName);
    }
    if (index < kFirstFixedRecord + kFixedPayloadFiles) {
        const FixedPayloadFile &file = FixedPayloadFiles[index - kFirstFixedRecord];
        entry->Size = file.Size;
        return CopyInto(entry->Name, file.Name);
    }
    return DescribeRecitation(0, entry);
}
