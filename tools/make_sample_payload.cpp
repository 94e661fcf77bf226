// Writes the sample payload: the 47 files of the files archive with exactly
// the names and sizes that the setup expects, each a genuine file of its kind,
// so the setup can be built and tested without the publisher's files.
// Deterministic: every run writes the same bytes.
//
//   make_sample_payload <folder> <dunvo.exe> <uninstall.exe>
//   make_sample_payload --recitations <folder>
//
// The two programs are the stand-ins built for Windows; they are padded with
// zero bytes after their image to the sizes of the table. The second form
// writes the 113 recitations of the side file instead, whose frames carry
// pseudo-random bytes so that they do not compress, like real audio.
#include "options/catalogue.h"
#include "payload/archive.h"
#include "payload/payload_table.h"
#include "tools/image_file.h"
#include "tools/sample_translation.h"

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct Inputs {
    std::string application, uninstaller;
};

uint32_t NextRandom(uint32_t *state)
{
    // xorshift32: fast, and the same on every machine.
    uint32_t x = *state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    return *state = x;
}

std::string ReadFileBytes(const std::string &path)
{
    std::string bytes;
    FILE *file = fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    char buffer[65536];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, count);
    fclose(file);
    return bytes;
}

bool WriteFileBytes(const std::string &path, const std::string &bytes)
{
    FILE *file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && ok;
}

// The record name with each backslash a subfolder; the subfolders are made.
std::string PathInFolder(const std::string &folder, const char *name)
{
    std::string path = folder + "/" + name;
    for (size_t i = folder.size() + 1; i < path.size(); ++i)
        if (path[i] == '\\') {
            path[i] = '\0';
            mkdir(path.c_str(), 0777);
            path[i] = '/';
        }
    return path;
}

// Exactly size bytes: before, fill characters, after. Empty when they do not fit.
std::string Fill(const std::string &before, const std::string &after, size_t size, char fill)
{
    if (before.size() + after.size() > size)
        return "";
    return before + std::string(size - before.size() - after.size(), fill) + after;
}

// MPEG-1 Layer III, 320 kbit/s, 32 kHz, mono, no CRC: 1440-byte frames, so
// the fixed header and side information are a small part of each frame.
// Zero side information means no coded granules, so every frame decodes to
// silence and the bytes after it are ancillary data. An ID3v2.3 tag in front
// (title, then padding) brings the file to its exact size.
constexpr size_t kFrameBytes = 1440;
constexpr size_t kSideInfoBytes = 17;

std::string MakeMp3(uint32_t size, const std::string &title, bool noise, uint32_t seed)
{
    const size_t tagBody = 10 + 1 + title.size(); // one TIT2 frame
    if (size < 10 + tagBody)
        return "";
    const size_t frames = (size - 10 - tagBody) / kFrameBytes;
    const size_t tagSize = size - frames * kFrameBytes - 10;
    std::string file = "ID3\x03";
    file += {'\0',
             '\0',
             char((tagSize >> 21) & 0x7F),
             char((tagSize >> 14) & 0x7F),
             char((tagSize >> 7) & 0x7F),
             char(tagSize & 0x7F)};
    const size_t titleSize = 1 + title.size();
    file += "TIT2";
    file += {char(titleSize >> 24),
             char(titleSize >> 16),
             char(titleSize >> 8),
             char(titleSize),
             '\0',
             '\0',
             '\0'};
    file += title;
    file.resize(10 + tagSize, '\0');

    uint32_t state = seed | 1;
    for (size_t f = 0; f < frames; ++f) {
        file += "\xFF\xFB\xE8\xC0";
        file.append(kSideInfoBytes, '\0');
        for (size_t i = 4 + kSideInfoBytes; i < kFrameBytes; ++i)
            file += noise ? char(NextRandom(&state) >> 24) : '\0';
    }
    return file;
}

std::string MakeRecitation(int index, bool noise)
{
    char title[64];
    snprintf(title, sizeof title, "Sura %03d (sample recitation, silence)", index + 1);
    return MakeMp3(RecitationSizes[index], title, noise, uint32_t(index) * 7919u + 1);
}

// The pictures: simple drawings of what their names say, at dimensions whose
// file size is the table's.
Rgba Mix(Rgba a, Rgba b, double t)
{
    t = std::fmin(std::fmax(t, 0.0), 1.0);
    return {uint8_t(a.r + (b.r - a.r) * t), uint8_t(a.g + (b.g - a.g) * t), uint8_t(a.b + (b.b - a.b) * t),
            255};
}

Image DrawPicture(const std::string &kind, int width, int height)
{
    Image image(width, height, Rgba{0, 0, 0, 255});
    uint32_t state = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double u = (x + 0.5) / width - 0.5, v = (y + 0.5) / height - 0.5;
            const double r = std::hypot(u * width / height, v) * 2.0; // 1 at the inscribed circle
            Rgba &p = image.at(x, y);
            if (kind == "earth" || kind == "asteroid") {
                const bool star = NextRandom(&state) % 500 == 0;
                p = star ? Rgba{255, 255, 255, 255} : Rgba{0, 0, 16, 255};
                const double lump = kind == "asteroid" ? 0.08 * std::sin(7 * std::atan2(v, u)) : 0.0;
                if (r < 0.85 + lump) {
                    const double land = std::sin(u * 23) * std::cos(v * 17) + std::sin(u * 7 + v * 11);
                    p = kind == "earth" ? (land > 0.6 ? Rgba{40, 140, 60, 255} : Rgba{30, 80, 190, 255})
                                        : Mix({60, 55, 50, 255}, {170, 160, 150, 255}, 0.5 + land * 0.3);
                    p = Mix(p, {0, 0, 0, 255}, (r - 0.5) * 0.8); // shading towards the rim
                }
            } else if (kind == "book" || kind == "page") {
                const double margin = 0.06;
                const bool inside = std::fabs(u) < 0.5 - margin && std::fabs(v) < 0.5 - margin;
                if (kind == "book")
                    p = inside
                            ? (std::fabs(std::fabs(u) - 0.38) < 0.01 || std::fabs(std::fabs(v) - 0.38) < 0.01
                                   ? Rgba{214, 170, 48, 255}
                                   : Rgba{20, 96, 56, 255})
                            : Rgba{90, 60, 30, 255};
                else
                    p = inside && std::fmod(y, 8.0) < 1.0 ? Rgba{120, 110, 90, 255}
                                                          : Rgba{250, 244, 222, 255};
            } else { // explosion
                const double flicker = 0.1 * std::sin(13 * std::atan2(v, u));
                p = Mix(Mix({255, 255, 200, 255}, {255, 140, 0, 255}, r * 1.5 + flicker), {20, 0, 0, 255},
                        (r - 0.6) * 2.5 + flicker);
            }
        }
    return image;
}

bool WritePicture(const std::string &path, const std::string &kind, int bits, int width, int height)
{
    const Image image = DrawPicture(kind, width, height);
    if (bits == 24)
        return WriteBitmap24(path, image);
    std::vector<Rgba> greys;
    for (int i = 0; i < 256; ++i)
        greys.push_back({uint8_t(i), uint8_t(i), uint8_t(i), 255});
    greys[255] = {0, 0, 16, 255}; // the sky behind the asteroid
    return WriteBitmap8(path, image, greys);
}

std::string PaddedProgram(const std::string &path, uint32_t size)
{
    std::string bytes = ReadFileBytes(path);
    if (bytes.size() < 2 || bytes.compare(0, 2, "MZ") != 0) {
        fprintf(stderr, "make_sample_payload: %s is not a program\n", path.c_str());
        return "";
    }
    if (bytes.size() > size) {
        fprintf(stderr, "make_sample_payload: %s has %zu bytes, more than the %u of its record\n",
                path.c_str(), bytes.size(), size);
        return "";
    }
    bytes.resize(size, '\0'); // overlay: Windows loads only the image
    return bytes;
}

std::string MakeConfiguration(uint32_t size)
{
    // Numbers, not text: a signature, then 16-bit little-endian settings.
    std::string bytes = "DCF1";
    for (uint32_t i = 0; bytes.size() < size; ++i) {
        const uint32_t value = (i * 37 + 11) % 1024;
        bytes += char(value & 0xFF);
        if (bytes.size() < size)
            bytes += char(value >> 8);
    }
    return bytes;
}

std::string MakeAnimation(uint32_t size)
{
    // A signature, frame count and size, then 64 x 64 frames of one byte per
    // pixel: a ring that grows frame by frame. The tail repeats the first frame.
    constexpr int kSide = 64;
    const uint32_t frames = (size - 12) / (kSide * kSide);
    std::string bytes = "PANM";
    bytes += {char(frames),       char(frames >> 8),
              char(frames >> 16), char(frames >> 24),
              char(kSide),        0,
              char(kSide),        0};
    for (uint32_t f = 0; bytes.size() < size; ++f)
        for (int y = 0; y < kSide && bytes.size() < size; ++y)
            for (int x = 0; x < kSide && bytes.size() < size; ++x) {
                const double r = std::hypot(x - 31.5, y - 31.5);
                bytes += char(std::fabs(r - (f % frames) * 0.25) < 2.0 ? 200 + (f % 50) : 0);
            }
    return bytes;
}

std::string MakeReadme(uint32_t size)
{
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\r\n"
        "\\f0\\fs28\\b Dunvo\\b0\\fs20\\par\r\n"
        "\\par\r\n"
        "This is the sample payload of the Dunvo setup. Its files have the names and sizes of the "
        "real ones, so that the setup can be built and tested without them.\\par\r\n"
        "\\par\r\n"
        "The translation files are stand-in texts, the pictures simple drawings, the sounds "
        "silence.\\par\r\n";
    // An ignorable destination carries the filler, so readers show nothing of it.
    return Fill(rtf + "{\\*\\dunvofill ", "}}\r\n", size, '-');
}

std::string MakeSearchScript(uint32_t size)
{
    const std::string script = "#!/usr/bin/perl\n"
                               "# Searches the help pages for a word and lists the pages that hold it.\n"
                               "use strict;\n"
                               "use CGI qw(param header);\n"
                               "my $word = param('q') // '';\n"
                               "$word =~ s/[^\\w ]//g;\n"
                               "print header('text/html');\n"
                               "print \"<html><body><h1>Search: $word</h1><ul>\\n\";\n"
                               "foreach my $page (glob('*.htm')) {\n"
                               "    open(my $in, '<', $page) or next;\n"
                               "    local $/;\n"
                               "    my $text = <$in>;\n"
                               "    close($in);\n"
                               "    print \"<li><a href=\\\"$page\\\">$page</a></li>\\n\" if $word ne '' && "
                               "$text =~ /\\Q$word\\E/i;\n"
                               "}\n"
                               "print \"</ul></body></html>\\n\";\n";
    return Fill(script + "#", "\n", size, '-');
}

std::string MakeHelp(uint32_t size)
{
    // A stand-in: the help as one HTML page, not a compiled help file.
    std::string html = "<html><head><title>Dunvo help</title></head><body>\r\n<h1>Dunvo help</h1>\r\n";
    for (int topic = 1; html.size() + 400 < size; ++topic)
        html += "<h2>Topic " + std::to_string(topic) +
                "</h2>\r\n<p>Sample help text. The real help file replaces this one in a published "
                "setup.</p>\r\n";
    return Fill(html + "<!-- filler ", " -->\r\n</body></html>\r\n", size, '.');
}

std::string MakePlaces(uint32_t size)
{
    static const struct {
        const char *name;
        double latitude, longitude;
    } kPlaces[] = {
        {"Mecca", 21.4225, 39.8262},     {"Medina", 24.4686, 39.6142},
        {"Jerusalem", 31.7683, 35.2137}, {"Cairo", 30.0444, 31.2357},
        {"Istanbul", 41.0082, 28.9784},  {"Tehran", 35.6892, 51.3890},
        {"Jakarta", -6.2088, 106.8456},  {"Kuala Lumpur", 3.1390, 101.6869},
        {"Sarajevo", 43.8563, 18.4131},  {"Tirana", 41.3275, 19.8187},
        {"Baku", 40.4093, 49.8671},      {"Dakar", 14.7167, -17.4677},
        {"London", 51.5074, -0.1278},    {"Paris", 48.8566, 2.3522},
        {"Berlin", 52.5200, 13.4050},    {"Moscow", 55.7558, 37.6173},
        {"Beijing", 39.9042, 116.4074},  {"Tokyo", 35.6762, 139.6503},
        {"Seoul", 37.5665, 126.9780},    {"Chennai", 13.0827, 80.2707},
        {"Bangkok", 13.7563, 100.5018},  {"Helsinki", 60.1699, 24.9384},
        {"Amsterdam", 52.3676, 4.9041},  {"Rome", 41.9028, 12.4964},
        {"Madrid", 40.4168, -3.7038},    {"Lisbon", 38.7223, -9.1393},
        {"Warsaw", 52.2297, 21.0122},    {"Mexico City", 19.4326, -99.1332},
        {"Nairobi", -1.2921, 36.8219},   {"Dar es Salaam", -6.7924, 39.2083},
    };
    const char notice[] = "Places: name;latitude;longitude; (sample data)";
    std::string lines;
    char line[96];
    for (unsigned i = 0;; ++i) {
        if (i < sizeof kPlaces / sizeof kPlaces[0])
            snprintf(line, sizeof line, "%s;%.4f;%.4f;\r\n", kPlaces[i].name, kPlaces[i].latitude,
                     kPlaces[i].longitude);
        else // a grid of survey points fills the rest
            snprintf(line, sizeof line, "Point %04u;%.4f;%.4f;\r\n", i, -60.0 + (i * 7 % 120),
                     -180.0 + (i * 13 % 360));
        if (lines.size() + strlen(line) + sizeof notice + 2 > size)
            break;
        lines += line;
    }
    return Fill(notice, "\r\n", size - lines.size(), ' ') + lines;
}

std::string MakeRecitationList(uint32_t size)
{
    std::string lines = "114\r\n";
    char line[16];
    for (int i = 1; i <= kRecitationCount; ++i) {
        snprintf(line, sizeof line, "%03d.mp3\r\n", i);
        lines += line;
    }
    if (lines.size() >= size)
        return "";
    return Fill("Dunvo recitation list: the count, then one file a line", "\r\n", size - lines.size(), '.') +
           lines;
}

struct Picture {
    const char *name, *kind;
    int bits, width, height;
};
const Picture kPictures[] = {
    {"images\\earth.bmp", "earth", 24, 800, 625},         {"images\\asteroid.bmp", "asteroid", 8, 296, 291},
    {"images\\book.bmp", "book", 24, 498, 417},           {"images\\page.bmp", "page", 24, 130, 110},
    {"images\\explosion.bmp", "explosion", 24, 300, 200},
};

// Writes one record's file; false with a message when it cannot.
bool WriteSample(const std::string &folder, int record, const Inputs &inputs)
{
    PayloadEntry entry;
    if (!DescribeFilesRecord(record, &entry))
        return false;
    const std::string path = PathInFolder(folder, entry.Name);
    const std::string name = entry.Name;
    std::string bytes;
    bool written = false;
    if (record < kFirstFixedRecord) {
        bytes = MakeSampleTranslation(TranslationRecordRow(record)).File;
    } else if (name == "dunvo.exe") {
        bytes = PaddedProgram(inputs.application, entry.Size);
    } else if (name == "uninstall.exe") {
        bytes = PaddedProgram(inputs.uninstaller, entry.Size);
    } else if (name == "dunvo.cfg") {
        bytes = MakeConfiguration(entry.Size);
    } else if (name == "dunvohelp.chm") {
        bytes = MakeHelp(entry.Size);
    } else if (name == "readme.rtf") {
        bytes = MakeReadme(entry.Size);
    } else if (name == "hsearch.cgi") {
        bytes = MakeSearchScript(entry.Size);
    } else if (name == "panim.dat") {
        bytes = MakeAnimation(entry.Size);
    } else if (name == "ptdata.txt") {
        bytes = MakePlaces(entry.Size);
    } else if (name == "sound\\default.lst") {
        bytes = MakeRecitationList(entry.Size);
    } else if (name == "sound\\start.mp3") {
        bytes = MakeMp3(entry.Size, "Dunvo start sound (sample, silence)", false, 1);
    } else if (name == "sound\\001.mp3") {
        bytes = MakeRecitation(0, false);
    } else {
        for (const Picture &picture : kPictures)
            if (name == picture.name)
                written = WritePicture(path, picture.kind, picture.bits, picture.width, picture.height);
    }
    if (!written && (bytes.empty() || !WriteFileBytes(path, bytes))) {
        fprintf(stderr, "make_sample_payload: cannot make %s\n", path.c_str());
        return false;
    }
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || uint64_t(info.st_size) != entry.Size) {
        fprintf(stderr, "make_sample_payload: %s is not %u bytes\n", path.c_str(), entry.Size);
        return false;
    }
    return true;
}

bool WriteRecitations(const std::string &folder)
{
    for (int index = 1; index < kRecitationCount; ++index) {
        PayloadEntry entry;
        const std::string bytes = MakeRecitation(index, true);
        if (!DescribeRecitation(index, &entry) || bytes.size() != entry.Size ||
            !WriteFileBytes(PathInFolder(folder, entry.Name), bytes)) {
            fprintf(stderr, "make_sample_payload: cannot make recitation %d in %s\n", index + 1,
                    folder.c_str());
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && !strcmp(argv[1], "--recitations")) {
        mkdir(argv[2], 0777);
        return WriteRecitations(argv[2]) ? 0 : 1;
    }
    if (argc != 4) {
        fprintf(stderr, "usage: make_sample_payload <folder> <dunvo.exe> <uninstall.exe>\n"
                        "       make_sample_payload --recitations <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    mkdir(folder.c_str(), 0777);
    const Inputs inputs{argv[2], argv[3]};
    for (int record = 0; record < kFilesArchiveRecords; ++record)
        if (!WriteSample(folder, record, inputs))
            return 1;
    return 0;
}
