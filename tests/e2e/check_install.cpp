// Reads an installation back as the installed application would find it:
//
//   check_install INSTALL_DIR PAYLOAD_DIR [--state ROW=STATE]... [--recitations DIR]
//                 [--recitation K]... [--cancelled]
//
// PAYLOAD_DIR is the folder packed into the setup, DIR the one packed into
// "mp3data.gz". --state gives a translation row's state at the end of the
// options page (other rows keep the page's start: 1, or 3 for an alias row);
// --recitation a recitation (1-113) that was chosen. Every file the choices
// select is installed byte for byte, no other file is there, and
// "avaldata.dat" lists the loaded rows field by field. With --cancelled the
// copy stopped part-way: each file is missing or whole, the first is there,
// not all are. Prints one line per problem; exits with 1 if there was any.
#include "options/catalogue.h"
#include "payload/archive.h"
#include "payload/payload_table.h"
#include "tests/file_bytes.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <vector>

namespace
{

int gProblems = 0;

void Problem(const std::string &text)
{
    printf("FAIL: %s\n", text.c_str()), ++gProblems;
}

std::string HostPath(const std::string &folder, std::string name)
{
    for (char &c : name)
        c = c == '\\' ? '/' : c;
    return folder + "/" + name;
}

// Files under folder, named as in the records ("sound\001.mp3").
std::set<std::string> ListFiles(const std::string &folder)
{
    std::set<std::string> files;
    std::error_code missing;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(folder, missing))
        if (entry.is_regular_file()) {
            std::string name = entry.path().lexically_relative(folder).string();
            std::replace(name.begin(), name.end(), '/', '\\');
            files.insert(name);
        }
    return files;
}

// A count, then per loaded row its catalogue row (539 bytes) and a font
// record: under Wine no "Fixedsys" or "Arial" is found, so all zero but the
// weight (bold) and the character set.
void CheckTranslationList(const std::string &path, const std::vector<int> &rows)
{
    std::string expected(4 + 619 * rows.size(), '\0');
    expected[0] = char(rows.size());
    for (size_t m = 0; m < rows.size(); ++m) {
        char *entry = &expected[4 + 619 * m];
        memcpy(entry, &ComponentCatalogue[rows[m]], 539);
        entry[539 + 16] = char(700 & 0xFF), entry[539 + 17] = char(700 >> 8),
                    entry[539 + 23] = char(entry[526]);
    }
    const std::string bytes = ReadFileBytes(path);
    const size_t at =
        std::mismatch(bytes.begin(), bytes.end(), expected.begin(), expected.end()).first - bytes.begin();
    if (at < std::max(bytes.size(), expected.size()))
        Problem("avaldata.dat (" + std::to_string(bytes.size()) + " bytes) differs from byte " +
                std::to_string(at) + " on, in entry " + std::to_string(at < 4 ? -1 : int(at - 4) / 619) +
                " of the loaded rows");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3)
        return fprintf(stderr, "usage: see the top of check_install.cpp\n"), 2;
    const std::string install = argv[1], payload = argv[2];
    std::map<int, int32_t> states;
    std::string recitationDir;
    std::set<int> recitations;
    bool cancelled = false;
    for (int i = 3; i < argc; ++i) {
        const std::string option = argv[i];
        const char *value = i + 1 < argc ? argv[i + 1] : "";
        int row, state;
        if (option == "--state" && sscanf(value, "%d=%d", &row, &state) == 2)
            states[row] = state, ++i;
        else if (option == "--recitations")
            recitationDir = value, ++i;
        else if (option == "--recitation")
            recitations.insert(atoi(value)), ++i;
        else if (option == "--cancelled")
            cancelled = true;
        else
            return fprintf(stderr, "check_install: unknown option %s\n", option.c_str()), 2;
    }
    auto stateOf = [&](int row) {
        return states.count(row) ? states[row] : IsAliasRow(row) ? TS_ALIAS_INSTALL : TS_INSTALL;
    };

    std::vector<std::pair<std::string, std::string>> wanted; // record name, packed file
    for (int record = 0; record < kFilesArchiveRecords; ++record) {
        PayloadEntry entry;
        DescribeFilesRecord(record, &entry);
        const int row = TranslationRecordRow(record);
        if (row < 0 || stateOf(row) == TS_INSTALL || stateOf(row) == TS_INSTALL_LOAD)
            wanted.push_back({entry.Name, HostPath(payload, entry.Name)});
    }
    for (int k : recitations) {
        PayloadEntry entry;
        DescribeRecitation(k, &entry);
        wanted.push_back({entry.Name, HostPath(recitationDir, entry.Name)});
    }
    const std::set<std::string> present = ListFiles(install);
    std::set<std::string> expected{"avaldata.dat"};
    size_t installed = 0;
    for (const auto &file : wanted) {
        expected.insert(file.first);
        if (!present.count(file.first)) {
            if (!cancelled)
                Problem(file.first + " is missing");
            continue;
        }
        ++installed;
        if (ReadFileBytes(HostPath(install, file.first)) != ReadFileBytes(file.second, "(cannot be read)"))
            Problem(file.first + " differs from " + file.second);
    }
    if (cancelled && (!present.count(wanted.front().first) || installed == wanted.size()))
        Problem("the copy did not stop part-way after its first file");
    for (const std::string &name : present)
        if (!expected.count(name))
            Problem(name + " should not be there");

    std::vector<int> loaded;
    for (int row = 0; row < kTranslationRows; ++row)
        if (stateOf(row) == TS_INSTALL_LOAD || stateOf(row) == TS_ALIAS_INSTALL_LOAD)
            loaded.push_back(row);
    CheckTranslationList(install + "/avaldata.dat", loaded);
    printf("check_install: %zu of %zu chosen files installed, %zu loaded translations: %s\n", installed,
           wanted.size(), loaded.size(), gProblems ? "FAILED" : "ok");
    return gProblems ? 1 : 0;
}
