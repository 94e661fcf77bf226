// Reads an installation back as the installed application would find it:
//
//   check_install INSTALL_DIR PAYLOAD_DIR [--state ROW=STATE]... [--recitations DIR]
//                 [--recitation K]... [--cancelled]
//
// What should be there comes from the facts in tests/data, none of it from the
// setup's own code; each file is byte for byte its source in PAYLOAD_DIR (packed
// into the setup) or DIR (packed into "mp3data.gz"). --state: a translation
// row's state after the options page (others keep their start, 1 or 3 for an
// alias); --recitation: a chosen recitation (1-113). Every chosen file is there,
// no other, and "avaldata.dat" lists the loaded rows; with --cancelled only the
// chosen files before the one in hand, in order and whole. One line a problem;
// exit code 1 if there was any.
#include "tests/expected_facts.h"
#include "tests/file_bytes.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>

namespace
{

int gProblems = 0;

void Problem(const std::string &text)
{
    printf("FAIL: %s\n", text.c_str()), ++gProblems;
}

std::string HostPath(const std::string &folder, std::string name)
{
    std::replace(name.begin(), name.end(), '\\', '/');
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

struct Wanted {
    std::string name, source;
    unsigned long size; // 0: not known here
};

// Whole: the size the facts give, and the bytes of its packed source.
void CheckWhole(const std::string &install, const Wanted &file)
{
    const std::string bytes = ReadFileBytes(HostPath(install, file.name));
    if (file.size && bytes.size() != file.size)
        Problem(file.name + " has " + std::to_string(bytes.size()) + " bytes, not " +
                std::to_string(file.size));
    else if (bytes != ReadFileBytes(file.source, "(cannot be read)"))
        Problem(file.name + " differs from " + file.source);
}

// A count, then per loaded row its 539 bytes and a font record: under Wine no "Fixedsys" or "Arial"
// is found, so all zero but the weight (bold) and the row's character set.
void CheckTranslationList(const std::string &path, const std::vector<const FactRow *> &rows)
{
    std::string expected(4, '\0');
    expected[0] = char(rows.size());
    for (const FactRow *row : rows) {
        std::string font(80, '\0');
        font[16] = char(700 & 0xFF), font[17] = char(700 >> 8), font[23] = char(Number((*row)[kCharSet]));
        expected += TranslationEntryBytes(*row) + font;
    }
    const std::string bytes = ReadFileBytes(path);
    const size_t at =
        std::mismatch(bytes.begin(), bytes.end(), expected.begin(), expected.end()).first - bytes.begin();
    if (at < std::max(bytes.size(), expected.size()))
        Problem("avaldata.dat (" + std::to_string(bytes.size()) + " bytes) differs from byte " +
                std::to_string(at) + " on");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3)
        return fprintf(stderr, "usage: see the top of check_install.cpp\n"), 2;
    const std::string install = argv[1], payload = argv[2];
    std::map<int, int> states;
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
    const std::vector<FactRow> rows = ReadFacts("translations.txt"), records = ReadFacts("records.txt");
    std::map<int, unsigned long> recitationSizes;
    for (const FactRow &known : ReadFacts("recitations.txt"))
        recitationSizes[atoi(known[0].c_str())] = Number(known[1]);
    if (rows.size() != 35 || records.size() != 47)
        return fprintf(stderr, "check_install: the facts in tests/data cannot be read\n"), 2;
    auto isAlias = [&](int row) { return rows[row][kAliasOf] != "-"; };
    auto stateOf = [&](int row) { return states.count(row) ? states[row] : isAlias(row) ? 3 : 1; };

    // The first records hold the files of the rows that are no alias, in row order.
    std::vector<int> fileRows;
    for (int row = 0; row < 35; ++row)
        if (!isAlias(row))
            fileRows.push_back(row);
    std::vector<Wanted> wanted; // in the order the copy writes them
    for (size_t j = 0; j < records.size(); ++j)
        if (j >= fileRows.size() || stateOf(fileRows[j]) == 1 || stateOf(fileRows[j]) == 2)
            wanted.push_back({records[j][1], HostPath(payload, records[j][1]), Number(records[j][2])});
    for (int k : recitations) {
        char name[32];
        snprintf(name, sizeof name, "sound\\%03d.mp3", k + 1);
        wanted.push_back(
            {name, HostPath(recitationDir, name), recitationSizes.count(k) ? recitationSizes[k] : 0});
    }

    const std::set<std::string> present = ListFiles(install);
    size_t installed = 0; // the chosen files there from the first on, without a gap
    while (installed < wanted.size() && present.count(wanted[installed].name))
        ++installed;
    std::set<std::string> expected{"avaldata.dat"};
    for (size_t i = 0; i < wanted.size(); ++i) {
        expected.insert(wanted[i].name);
        if (!present.count(wanted[i].name))
            cancelled ? void() : Problem(wanted[i].name + " is missing");
        else if (cancelled && i > installed)
            Problem(wanted[i].name + " is there, although the copy stopped at " + wanted[installed].name);
        else
            CheckWhole(install, wanted[i]);
    }
    if (cancelled && (installed == 0 || installed == wanted.size()))
        Problem("the copy did not stop part-way after its first file");
    for (const std::string &name : present)
        if (!expected.count(name))
            Problem(name + " should not be there");

    std::vector<const FactRow *> loaded;
    for (int row = 0; row < 35; ++row)
        if (stateOf(row) == 2 || stateOf(row) == 4)
            loaded.push_back(&rows[row]);
    CheckTranslationList(install + "/avaldata.dat", loaded);
    printf("check_install: %zu of %zu chosen files installed, %zu loaded translations: %s\n", installed,
           wanted.size(), loaded.size(), gProblems ? "FAILED" : "ok");
    return gProblems ? 1 : 0;
}
