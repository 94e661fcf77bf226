// The facts an installation must show, written down once as plain data in tests/data (one row a
// line, fields between '|', "-" for none, '#' for a comment): the tests hold the setup's tables and
// its installations against an answer of their own, not against those same tables.
#pragma once
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using FactRow = std::vector<std::string>;

inline std::vector<FactRow> ReadFacts(const std::string &file)
{
    std::ifstream in(DUNVO_SOURCE_DIR "/tests/data/" + file);
    std::vector<FactRow> rows;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        if (line.empty() || line[0] == '#')
            continue;
        rows.emplace_back();
        for (std::string field; std::getline(fields, field, '|');) {
            const size_t first = field.find_first_not_of(' ');
            rows.back().push_back(field.substr(first, field.find_last_not_of(' ') + 1 - first));
        }
    }
    return rows;
}

inline unsigned long Number(const std::string &field)
{
    return strtoul(field.c_str(), nullptr, 0); // decimal, or 0x... hexadecimal
}

// Fields of a translation row (translations.txt) that the tests name.
enum TranslationFact { kShownName = 2, kCharSet = 3, kAliasOf = 9 };

// A translation row as the 539 bytes "avaldata.dat" carries: where each field goes and its size, in
// the order of the file; names zero-filled, numbers little-endian.
inline std::string TranslationEntryBytes(const FactRow &row)
{
    const size_t layout[][2] = {{0, 2},   {6, 260}, {266, 260}, {526, 1}, {527, 4},
                                {531, 2}, {533, 2}, {535, 4},   {2, 2}};
    std::string bytes(539, '\0');
    for (size_t field = 0; field < 9; ++field) {
        const bool name = field == 1 || field == 2;
        for (size_t i = 0; i < layout[field][1] && (!name || i < row[field].size()); ++i)
            bytes[layout[field][0] + i] = name ? row[field][i] : char(Number(row[field]) >> 8 * i);
    }
    return bytes;
}
