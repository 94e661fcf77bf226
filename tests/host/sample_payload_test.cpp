// The sample payload as the build makes it: the generator and the packer are
// run as programs, and what they wrote is read back with the setup's reader
// and checked with independent tools (msexpand, file, gzip).
#include "options/catalogue.h"
#include "payload/archive.h"
#include "payload/gzip_file.h"
#include "payload/payload_table.h"
#include "payload_test_files.h"
#include "tools/sample_translation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const std::string kTools = DUNVO_TOOLS_DIR;

int Shell(const std::string &command)
{
    return std::system(command.c_str());
}

std::string Output(const std::string &command)
{
    std::string text;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        return text;
    char buffer[4096];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        text.append(buffer, count);
    pclose(pipe);
    return text;
}

std::string InFolder(const std::string &folder, const char *recordName)
{
    std::string path = folder + "/" + recordName;
    for (char &c : path)
        if (c == '\\')
            c = '/';
    return path;
}

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + "<no CR LF>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// Reads the plain archive with the setup's reader and compares every record
// with the file it came from.
void CheckArchive(const std::string &plainPath, const std::vector<PayloadEntry> &expected,
                  const std::string &folder)
{
    FILE *archive = fopen(plainPath.c_str(), "rb");
    ASSERT_NE(archive, nullptr);
    PayloadRecord record;
    for (const PayloadEntry &entry : expected) {
        SCOPED_TRACE(entry.Name);
        ASSERT_EQ(ReadRecordHeader(archive, &record), RecordStatus::Ok);
        EXPECT_STREQ(record.Name, entry.Name);
        EXPECT_EQ(record.Size, entry.Size);
        std::string data(record.Size, '\0');
        ASSERT_EQ(ReadRecordData(archive, record.Size, &data[0]), RecordStatus::Ok);
        EXPECT_TRUE(data == ReadFileBytes(InFolder(folder, entry.Name)))
            << "record data differs from its file";
    }
    EXPECT_EQ(ReadRecordHeader(archive, &record), RecordStatus::EndedBeforeRecord)
        << "nothing after the last record";
    fclose(archive);
}

// A genuine SZDD file: an independent expander restores the stand-in text,
// whose first line names the translation.
void CheckTranslation(const TempFolder &folder, const std::string &payload, int record)
{
    const int row = TranslationRecordRow(record);
    SCOPED_TRACE(ComponentCatalogue[row].FileName);
    const std::string file = payload + "/qtext/" + ComponentCatalogue[row].FileName;
    const std::string bytes = ReadFileBytes(file);
    ASSERT_EQ(bytes.size(), size_t(ComponentCatalogue[row].FileSize));
    EXPECT_EQ(bytes.substr(0, 10), std::string("SZDD\x88\xF0\x27\x33\x41\x00", 10));
    ASSERT_EQ(Shell("msexpand < " + file + " > " + folder / "expanded"), 0);
    const std::string text = ReadFileBytes(folder / "expanded");
    EXPECT_TRUE(text == MakeSampleTranslation(row).Text);
    uint32_t length;
    memcpy(&length, &bytes[10], 4);
    EXPECT_EQ(length, text.size());
    EXPECT_NE(text.find(ComponentCatalogue[row].DisplayName), std::string::npos);
    EXPECT_GT(text.size(), bytes.size() * 2) << "the text is compressed, not stored";
}

void MakeSamplePayload(const TempFolder &folder, const std::string &payload)
{
    // Stand-ins for the two programs: anything that starts like one.
    WriteWholeFile(folder / "app.exe", "MZ application");
    WriteWholeFile(folder / "uninstall.exe", "MZ uninstaller");
    ASSERT_EQ(Shell(kTools + "/make_sample_payload " + payload + " " + folder / "app.exe" + " " +
                    folder / "uninstall.exe"),
              0);
}

TEST(SamplePayload, GeneratorAndPackerMakeTheFilesArchive)
{
    TempFolder folder;
    const std::string payload = folder / "payload";
    MakeSamplePayload(folder, payload);
    ASSERT_EQ(Shell(kTools + "/dunvo_pack files " + payload + " " + folder / "filesdata.gz"), 0);
    EXPECT_EQ(Shell("gzip -t " + folder / "filesdata.gz"), 0);

    ASSERT_TRUE(ExpandGzipFile((folder / "filesdata.dat").c_str(), (folder / "filesdata.gz").c_str()));
    EXPECT_EQ(ReadFileBytes(folder / "filesdata.dat").size(), 18369012u);

    std::vector<PayloadEntry> expected(kFilesArchiveRecords);
    for (int record = 0; record < kFilesArchiveRecords; ++record)
        ASSERT_TRUE(DescribeFilesRecord(record, &expected[size_t(record)]));
    for (int record = 0; record < kTranslationFiles; ++record) {
        const ComponentEntry &row = ComponentCatalogue[TranslationRecordRow(record)];
        EXPECT_EQ(std::string(expected[size_t(record)].Name), std::string("qtext\\") + row.FileName);
        const uint32_t fileSize = row.FileSize; // the row is packed: no reference to its field
        EXPECT_EQ(expected[size_t(record)].Size, fileSize);
    }
    EXPECT_STREQ(expected[46].Name, "sound\\001.mp3");
    EXPECT_EQ(expected[46].Size, RecitationSizes[0]);
    CheckArchive(folder / "filesdata.dat", expected, payload);

    // msexpand reads and writes one byte per system call (seconds a file):
    // here the first and the smallest file, all of them in the slow test.
    for (int record : {0, 2})
        CheckTranslation(folder, payload, record);
    const std::vector<std::string> list = Lines(ReadFileBytes(payload + "/sound/default.lst"));
    ASSERT_EQ(list.size(), 2u + 114u);
    EXPECT_EQ(list[1], "114");
    EXPECT_EQ(list[2], "001.mp3");
    EXPECT_EQ(list[115], "114.mp3");

    const std::vector<std::string> places = Lines(ReadFileBytes(payload + "/ptdata.txt"));
    ASSERT_GT(places.size(), 100u);
    for (size_t i = 1; i < places.size(); ++i) {
        char name[64];
        double latitude, longitude;
        int consumed = 0;
        ASSERT_EQ(sscanf(places[i].c_str(), "%63[^;];%lf;%lf;%n", name, &latitude, &longitude, &consumed), 3)
            << places[i];
        EXPECT_EQ(size_t(consumed), places[i].size()) << places[i];
        EXPECT_LE(std::abs(latitude), 90.0);
        EXPECT_LE(std::abs(longitude), 180.0);
    }

    // The programs are padded after their image; the other kinds are what `file` says.
    const std::string app = ReadFileBytes(payload + "/dunvo.exe");
    EXPECT_EQ(app.substr(0, 14), "MZ application");
    EXPECT_EQ(app.find_first_not_of('\0', 14), std::string::npos);
    for (const char *name : {"images/earth.bmp", "images/asteroid.bmp", "images/book.bmp", "images/page.bmp",
                             "images/explosion.bmp"})
        EXPECT_EQ(Output("file -b " + payload + "/" + name).rfind("PC bitmap", 0), 0u) << name;
    for (const char *name : {"sound/start.mp3", "sound/001.mp3"})
        EXPECT_NE(Output("file -b " + payload + "/" + name).find("MPEG ADTS, layer III"), std::string::npos)
            << name;
    EXPECT_EQ(Output("file -b " + payload + "/readme.rtf").rfind("Rich Text Format", 0), 0u);

    // A stand-in larger than its record is refused, not cut.
    WriteWholeFile(folder / "big.exe", "MZ" + std::string(64000, 'x'));
    EXPECT_NE(Shell(kTools + "/make_sample_payload " + folder / "other" + " " + folder / "app.exe" + " " +
                    folder / "big.exe" + " 2> " + folder / "errors"),
              0);
    EXPECT_NE(ReadFileBytes(folder / "errors").find("big.exe"), std::string::npos);
}

// The filler hits every size exactly, whichever slot of a flag group the text
// ends in, and msexpand still restores the text.
TEST(SzddCompressor, HitsEverySizeExactly)
{
    TempFolder folder;
    std::string body;
    for (int line = 1; line <= 12; ++line)
        body += std::to_string(line) + " light upon light, light upon light\r\n";
    for (uint32_t size = 16; size <= 140; ++size) {
        SCOPED_TRACE(size);
        const SampleTranslation made = CompressToSzdd(body, size);
        ASSERT_EQ(made.File.size(), size);
        if (size >= 70) { // room for a whole line besides the filler
            EXPECT_EQ(made.Text.compare(0, 8, "1 light "), 0) << made.Text;
        }
        WriteWholeFile(folder / "file", made.File);
        ASSERT_EQ(Shell("msexpand < " + folder / "file" + " > " + folder / "text"), 0);
        EXPECT_EQ(ReadFileBytes(folder / "text"), made.Text);
    }
    EXPECT_EQ(CompressToSzdd(body, 500).Text.substr(0, body.size()), body) << "room for all of it";
}

TEST(SamplePayload, PackerRefusesFilesThatDisagreeWithTheCatalogue)
{
    TempFolder folder;
    const std::string payload = folder / "payload";
    ASSERT_EQ(Shell("mkdir -p " + payload + "/qtext " + folder / "recitations/sound"), 0);
    WriteWholeFile(payload + "/qtext/ALBANIAN.TX_", std::string(468570, 'a')); // one byte short
    EXPECT_EQ(
        Shell(kTools + "/dunvo_pack files " + payload + " " + folder / "out.gz" + " 2> " + folder / "errors"),
        1 << 8);
    std::string errors = ReadFileBytes(folder / "errors");
    EXPECT_NE(
        errors.find(payload + "/qtext/ALBANIAN.TX_ has 468570 bytes, but its catalogue row says 468571"),
        std::string::npos)
        << errors;
    EXPECT_NE(errors.find("missing file " + payload + "/qtext/ARABIC.TX_"), std::string::npos) << errors;
    EXPECT_FALSE(FileExists(folder / "out.gz"));

    WriteWholeFile(folder / "recitations/sound/002.mp3", "ID3");
    EXPECT_EQ(Shell(kTools + "/dunvo_pack recitations " + folder / "recitations" + " " +
                    folder / "mp3data.gz" + " 2> " + folder / "errors"),
              1 << 8);
    errors = ReadFileBytes(folder / "errors");
    EXPECT_NE(errors.find("sound/002.mp3 has 3 bytes, but its entry of the recitation sizes says 13407752"),
              std::string::npos)
        << errors;
    EXPECT_FALSE(FileExists(folder / "mp3data.gz"));
}

// The slow tests run as the CTest test "sample_payload_slow" (label slow).
TEST(SamplePayloadSlow, DISABLED_EveryTranslationExpands)
{
    TempFolder folder;
    const std::string payload = folder / "payload";
    MakeSamplePayload(folder, payload);
    for (int record = 0; record < kTranslationFiles; ++record)
        CheckTranslation(folder, payload, record);
}

// About 290 MB.
TEST(SamplePayloadSlow, DISABLED_GeneratorAndPackerMakeTheRecitationSideFile)
{
    TempFolder folder;
    ASSERT_EQ(Shell(kTools + "/make_sample_payload --recitations " + folder / "recitations"), 0);
    ASSERT_EQ(
        Shell(kTools + "/dunvo_pack recitations " + folder / "recitations" + " " + folder / "mp3data.gz"), 0);
    ASSERT_TRUE(ExpandGzipFile((folder / "mp3data.dat").c_str(), (folder / "mp3data.gz").c_str()));

    std::vector<PayloadEntry> expected(kRecitationArchiveRecords);
    uint64_t total = 0;
    for (int record = 1; record <= kRecitationArchiveRecords; ++record) {
        ASSERT_TRUE(DescribeRecitation(record, &expected[size_t(record - 1)]));
        total += expected[size_t(record - 1)].Size;
    }
    EXPECT_STREQ(expected[0].Name, "sound\\002.mp3");
    EXPECT_STREQ(expected[112].Name, "sound\\114.mp3");
    EXPECT_EQ(total, 304799322u);
    CheckArchive(folder / "mp3data.dat", expected, folder / "recitations");

    // Like real audio, the frames hardly compress: only their headers do.
    EXPECT_GT(ReadFileBytes(folder / "mp3data.gz").size(), total * 98 / 100);
    EXPECT_NE(Output("file -b " + folder / "recitations/sound/114.mp3").find("MPEG ADTS, layer III"),
              std::string::npos);
}

} // namespace
