// The sample payload as the build makes it, the generator and the packer run
// as programs. The end-to-end tests compare the installed files with these
// same files, so a sample that is wrong but consistent passes there: its
// sizes and kinds are checked here, with tools of their own.
#include "options/catalogue.h"
#include "payload/archive.h"
#include "payload/gzip_file.h"
#include "payload/payload_table.h"
#include "payload_test_files.h"
#include "tools/sample_translation.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

const std::string kTools = DUNVO_TOOLS_DIR;

int Shell(const std::string &command)
{
    return std::system(command.c_str());
}

// Stand-ins for the two programs: anything that starts like one.
std::string MakeSamplePayload(const TempFolder &folder, const std::string &uninstaller = "MZ uninstaller")
{
    WriteWholeFile(folder / "app.exe", "MZ application");
    WriteWholeFile(folder / "uninstall.exe", uninstaller);
    return Shell(kTools + "/make_sample_payload " + folder / "payload " + folder / "app.exe " +
                 folder / "uninstall.exe 2> " + folder / "errors") == 0
               ? folder / "payload"
               : ReadFileBytes(folder / "errors");
}

// A genuine SZDD file: an independent expander restores the generator's text.
void ExpectExpands(const TempFolder &folder, int row)
{
    const std::string file = folder / "payload/qtext/" + ComponentCatalogue[row].FileName;
    ASSERT_EQ(Shell("msexpand < " + file + " > " + folder / "expanded"), 0) << file;
    EXPECT_TRUE(ReadFileBytes(folder / "expanded") == MakeSampleTranslation(row).Text) << file;
}

TEST(SamplePayload, HasTheTablesSizesAndGenuineFiles)
{
    TempFolder folder;
    const std::string payload = MakeSamplePayload(folder);
    for (int record = 0; record < kFilesArchiveRecords; ++record) {
        PayloadEntry entry;
        ASSERT_TRUE(DescribeFilesRecord(record, &entry));
        std::string path = payload + "/" + entry.Name;
        std::replace(path.begin(), path.end(), '\\', '/');
        EXPECT_EQ(ReadFileBytes(path).size(), entry.Size) << path;
    }
    ASSERT_EQ(Shell(kTools + "/dunvo_pack files " + payload + " " + folder / "filesdata.gz"), 0);
    ASSERT_TRUE(ExpandGzipFile((folder / "filesdata.dat").c_str(), (folder / "filesdata.gz").c_str()));
    EXPECT_EQ(ReadFileBytes(folder / "filesdata.dat").size(), 18369012u); // the shipped payload's table
    // msexpand reads and writes a byte per system call: two here, all 31 in the slow test.
    ExpectExpands(folder, 0);
    ExpectExpands(folder, 2);
    EXPECT_EQ(ReadFileBytes(payload + "/dunvo.exe").find_first_not_of('\0', 14), std::string::npos);
    Shell("cd " + payload + " && file -b images/*.bmp sound/*.mp3 readme.rtf | grep -c -e '^PC bitmap' " +
          "-e 'MPEG ADTS, layer III' -e '^Rich Text Format' > " + folder / "kinds");
    EXPECT_EQ(ReadFileBytes(folder / "kinds"), "8\n"); // five pictures, two sounds, the read-me
    // A stand-in larger than its record is refused, not cut.
    EXPECT_NE(MakeSamplePayload(folder, "MZ" + std::string(64000, 'x')).find("uninstall.exe"),
              std::string::npos);
}

// Exit code 1, a message that names the file, and no output.
TEST(SamplePayload, PackerRefusesFilesThatDisagreeWithTheCatalogue)
{
    TempFolder folder;
    ASSERT_EQ(Shell("mkdir -p " + folder / "p/qtext " + folder / "p/sound"), 0);
    WriteWholeFile(folder / "p/qtext/ALBANIAN.TX_", std::string(468570, 'a')); // one byte short
    WriteWholeFile(folder / "p/sound/002.mp3", "ID3");
    const std::string cases[][3] = {
        {"files", folder / "p/qtext/ALBANIAN.TX_ has 468570 bytes, but its catalogue row says 468571",
         "missing file " + folder / "p/qtext/ARABIC.TX_"},
        {"recitations",
         folder / "p/sound/002.mp3 has 3 bytes, but its entry of the recitation sizes says 13407752",
         "missing file " + folder / "p/sound/003.mp3"},
    };
    for (const auto &c : cases) {
        const std::string out = folder / c[0] + ".gz", errors = folder / "errors";
        EXPECT_EQ(Shell(kTools + "/dunvo_pack " + c[0] + " " + folder / "p " + out + " 2> " + errors),
                  1 << 8);
        EXPECT_NE(ReadFileBytes(errors).find(c[1]), std::string::npos) << ReadFileBytes(errors);
        EXPECT_NE(ReadFileBytes(errors).find(c[2]), std::string::npos);
        EXPECT_EQ(ReadFileBytes(out, "<missing>"), "<missing>");
    }
}

// The slow test "sample_payload_slow" (label slow) runs it.
TEST(SamplePayloadSlow, DISABLED_EveryTranslationExpands)
{
    TempFolder folder;
    MakeSamplePayload(folder);
    for (int record = 0; record < kTranslationFiles; ++record)
        ExpectExpands(folder, TranslationRecordRow(record));
}

} // namespace
