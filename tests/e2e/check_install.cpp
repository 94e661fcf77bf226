// Reads an installation back for the end-to-end scenarios, as the installed
// application would find it:
//
//   check_install INSTALL_DIR PAYLOAD_DIR [--state ROW=STATE]... [--recitations DIR]
//                 [--recitation K]... [--cancelled] [--no-list]
//
// INSTALL_DIR is the folder the setup wrote (a host path); PAYLOAD_DIR the
// payload folder that was packed into the setup, and DIR the folder that was
// packed into "mp3data.gz". --state gives a translation row's state at the end
// of the options page (rows not named keep the page's start values: 1, or 3
// for an alias row); --recitation names a recitation (1-113) that was chosen.
//
// Checked: every payload record the states select is installed byte for byte,
// every other one is missing; so for the recitations; nothing else lies in
// the folder; "avaldata.dat" holds the loaded rows field by field with the
// font record of a screen without "Fixedsys" (Wine's). With --cancelled the
// copy stopped part-way: each file is either missing or whole, the first is
// there and the last is not. With --no-list there is no "avaldata.dat".
// Prints one line per problem and exits with 1 when there was any.
#include "options/catalogue.h"
#include "payload/archive.h"
#include "payload/payload_table.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace
{

int gProblems = 0;

void Problem(const std::string &text)
{
    printf("FAIL: %s\n", text.c_str());
    ++gProblems;
}

bool ReadFile(const std::string &path, std::string *bytes)
{
    FILE *file = fopen(path.c_str(), "rb");
    if (!file)
        return false;
    bytes->clear();
    char buffer[65536];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes->append(buffer, count);
    fclose(file);
    return true;
}

std::string HostPath(const std::string &folder, const char *recordName)
{
    std::string path = folder + "/" + recordName;
    for (size_t i = folder.size(); i < path.size(); ++i)
        if (path[i] == '\\')
            path[i] = '/';
    return path;
}

void ListFiles(const std::string &folder, const std::string &prefix, std::set<std::string> *files)
{
    DIR *dir = opendir(folder.c_str());
    if (!dir)
        return;
    while (dirent *entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        struct stat info;
        const std::string path = folder + "/" + name;
        if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
            ListFiles(path, prefix + name + "\\", files);
        else
            files->insert(prefix + name);
    }
    closedir(dir);
}

struct Expected {
    std::string name;   // as in the record
    std::string source; // host path of the packed file
};

// What the installed application reads: a count, then per loaded row its
// catalogue row and a font record. Offsets as the file format fixes them.
void CheckTranslationList(const std::string &path, const std::vector<int> &loadedRows)
{
    std::string bytes;
    if (!ReadFile(path, &bytes)) {
        Problem("avaldata.dat is missing");
        return;
    }
    const size_t expectedSize = 4 + 619 * loadedRows.size();
    if (bytes.size() != expectedSize) {
        Problem("avaldata.dat has " + std::to_string(bytes.size()) + " bytes, expected " +
                std::to_string(expectedSize));
        return;
    }
    int32_t count;
    memcpy(&count, bytes.data(), 4);
    if (count != int32_t(loadedRows.size()))
        Problem("avaldata.dat counts " + std::to_string(count) + " rows");
    for (size_t m = 0; m < loadedRows.size(); ++m) {
        const int row = loadedRows[m];
        const char *entry = bytes.data() + 4 + 619 * m;
        const std::string where =
            "avaldata.dat entry " + std::to_string(m) + " (row " + std::to_string(row) + "): ";
        const ComponentEntry &expected = ComponentCatalogue[row];
        uint16_t rowNumber;
        memcpy(&rowNumber, entry, 2);
        uint32_t fileSize;
        memcpy(&fileSize, entry + 535, 4);
        if (rowNumber != row)
            Problem(where + "RowNumber " + std::to_string(rowNumber));
        if (strcmp(entry + 6, expected.FileName))
            Problem(where + "FileName " + std::string(entry + 6));
        if (strcmp(entry + 266, expected.DisplayName))
            Problem(where + "DisplayName " + std::string(entry + 266));
        if (uint8_t(entry[526]) != expected.CharSet)
            Problem(where + "CharSet " + std::to_string(uint8_t(entry[526])));
        if (fileSize != expected.FileSize)
            Problem(where + "FileSize " + std::to_string(fileSize));
        if (memcmp(entry, &expected, 539))
            Problem(where + "the row differs from the catalogue's bytes");

        // Without "Fixedsys" or "Arial" no font is taken: all zero but the weight and character set.
        const char *font = entry + 539;
        char expectedFont[80] = {};
        const int32_t bold = 700;
        memcpy(expectedFont + 16, &bold, 4);
        expectedFont[23] = char(expected.CharSet);
        for (int offset = 0; offset < 80; ++offset)
            if (font[offset] != expectedFont[offset]) {
                Problem(where + "font record byte " + std::to_string(offset) + " is " +
                        std::to_string(uint8_t(font[offset])) + ", expected " +
                        std::to_string(uint8_t(expectedFont[offset])));
                break;
            }
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: check_install INSTALL_DIR PAYLOAD_DIR [--state ROW=STATE]... "
                        "[--recitations DIR] [--recitation K]... [--cancelled] [--no-list]\n");
        return 2;
    }
    const std::string install = argv[1], payload = argv[2];
    int32_t states[kTranslationRows];
    for (int row = 0; row < kTranslationRows; ++row)
        states[row] = IsAliasRow(row) ? TS_ALIAS_INSTALL : TS_INSTALL;
    std::string recitationSource;
    std::set<int> recitations;
    bool cancelled = false, list = true;
    for (int i = 3; i < argc; ++i) {
        const std::string option = argv[i];
        int row, state;
        if (option == "--state" && i + 1 < argc && sscanf(argv[i + 1], "%d=%d", &row, &state) == 2 &&
            row >= 0 && row < kTranslationRows) {
            states[row] = state;
            ++i;
        } else if (option == "--recitations" && i + 1 < argc) {
            recitationSource = argv[++i];
        } else if (option == "--recitation" && i + 1 < argc) {
            recitations.insert(atoi(argv[++i]));
        } else if (option == "--cancelled") {
            cancelled = true;
        } else if (option == "--no-list") {
            list = false;
        } else {
            fprintf(stderr, "check_install: unknown option %s\n", option.c_str());
            return 2;
        }
    }

    std::vector<Expected> wanted;
    std::set<std::string> unwanted;
    for (int record = 0; record < kFilesArchiveRecords; ++record) {
        PayloadEntry entry;
        DescribeFilesRecord(record, &entry);
        const int row = TranslationRecordRow(record);
        const bool chosen = row < 0 || states[row] == TS_INSTALL || states[row] == TS_INSTALL_LOAD;
        if (chosen)
            wanted.push_back({entry.Name, HostPath(payload, entry.Name)});
        else
            unwanted.insert(entry.Name);
    }
    for (int k = 1; k < kRecitationCount; ++k) {
        PayloadEntry entry;
        DescribeRecitation(k, &entry);
        if (recitations.count(k))
            wanted.push_back({entry.Name, HostPath(recitationSource, entry.Name)});
        else
            unwanted.insert(entry.Name);
    }

    std::set<std::string> present;
    ListFiles(install, "", &present);
    size_t installed = 0;
    for (const Expected &file : wanted) {
        std::string bytes, source;
        if (!ReadFile(HostPath(install, file.name.c_str()), &bytes)) {
            if (!cancelled)
                Problem(file.name + " is missing");
            continue;
        }
        ++installed;
        if (!ReadFile(file.source, &source))
            Problem("cannot read the source " + file.source);
        else if (bytes != source)
            Problem(file.name + " differs from " + file.source + " (" + std::to_string(bytes.size()) +
                    " bytes, source " + std::to_string(source.size()) + ")");
    }
    if (cancelled) {
        if (wanted.empty() || !present.count(wanted.front().name))
            Problem("the record in hand when Cancel was pressed was not finished: " + wanted.front().name);
        if (installed == wanted.size())
            Problem("everything was installed: the copy was not cancelled part-way");
    }
    for (const std::string &name : present) {
        const bool expected = name == "avaldata.dat" && list;
        bool listed = expected;
        for (const Expected &file : wanted)
            listed = listed || file.name == name;
        if (!listed)
            Problem(name + (unwanted.count(name) ? " was installed but not chosen" : " should not be there"));
    }

    std::vector<int> loaded;
    for (int row = 0; row < kTranslationRows; ++row)
        if (states[row] == TS_INSTALL_LOAD || states[row] == TS_ALIAS_INSTALL_LOAD)
            loaded.push_back(row);
    if (list)
        CheckTranslationList(install + "/avaldata.dat", loaded);

    printf("check_install: %zu of %zu chosen files installed, %zu loaded translations: %s\n", installed,
           wanted.size(), loaded.size(), gProblems ? "FAILED" : "ok");
    return gProblems ? 1 : 0;
}
