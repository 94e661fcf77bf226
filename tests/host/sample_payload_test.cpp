// The sample payload as the build makes it, and the packer's refusals.
#include "options/catalogue.h"
#include "payload/payload_table.h"
#include "payload_test_files.h"
#include "tools/sample_translation.h"

#include <filesystem>

namespace
{

int Shell(const std::string &command)
{
    return std::system(command.c_str());
}

// Into folder/p, with stand-ins for the two programs: anything that starts like one.
void Generate(const TempFolder &folder)
{
    WriteWholeFile(folder / "app.exe", "MZ application");
    WriteWholeFile(folder / "uninstall.exe", "MZ uninstaller");
    ASSERT_EQ(Shell(DUNVO_TOOLS_DIR "/make_sample_payload " + folder / "p " + folder / "app.exe " +
                    folder / "uninstall.exe"),
              0);
}

// Their names and sizes are checked where they are installed; here, their kinds.
TEST(SamplePayload, HoldsGenuineFiles)
{
    TempFolder folder;
    Generate(folder);
    int translations = 0;
    for (const auto &file : std::filesystem::directory_iterator(folder / "p/qtext"))
        translations += ReadFileBytes(file.path()).rfind("SZDD\x88\xF0\x27\x33\x41", 0) == 0;
    EXPECT_EQ(translations, kTranslationFiles);
    Shell("cd " + folder / "p" +
          " && file -b images/*.bmp sound/*.mp3 readme.rtf | grep -c -e '^PC bitmap' " +
          "-e 'MPEG ADTS, layer III' -e '^Rich Text Format' > " + folder / "kinds");
    EXPECT_EQ(ReadFileBytes(folder / "kinds"), "8\n"); // five pictures, two sounds, the read-me
}

// Exit code 1, a message that names each file at fault, and no output.
TEST(SamplePayload, PackerRefusesFilesThatDisagreeWithTheCatalogue)
{
    TempFolder folder;
    Shell("mkdir -p " + folder / "p/qtext " + folder / "p/sound");
    WriteWholeFile(folder / "p/qtext/ALBANIAN.TX_", std::string(468570, 'a')); // one byte short
    WriteWholeFile(folder / "p/sound/001.mp3", "ID3");
    WriteWholeFile(folder / "p/sound/002.mp3", "ID3");
    const std::string cases[][3] = {
        {"files", "p/qtext/ALBANIAN.TX_ has 468570 bytes, but its catalogue row says 468571",
         "p/qtext/ARABIC.TX_"},
        {"files", "p/sound/001.mp3 has 3 bytes, but its entry of the recitation sizes says 172118",
         "p/qtext/ARABIC.TX_"},
        {"recitations", "p/sound/002.mp3 has 3 bytes, but its entry of the recitation sizes says 13407752",
         "p/sound/003.mp3"},
    };
    for (const auto &c : cases) {
        const std::string pack =
            DUNVO_TOOLS_DIR "/dunvo_pack " + c[0] + " " + folder / "p " + folder / "out.gz";
        EXPECT_EQ(Shell(pack + " 2> " + folder / "said"), 1 << 8);
        const std::string said = ReadFileBytes(folder / "said");
        EXPECT_NE(said.find(folder / c[1]), std::string::npos) << said;
        EXPECT_NE(said.find("missing file " + folder / c[2]), std::string::npos) << said;
        EXPECT_EQ(ReadFileBytes(folder / "out.gz", "<missing>"), "<missing>");
    }
}

// Genuine SZDD files: an independent expander restores the generator's texts.
// msexpand takes a system call a byte: the slow test "sample_payload_slow" runs this.
TEST(SamplePayloadSlow, DISABLED_EveryTranslationExpands)
{
    TempFolder folder;
    Generate(folder);
    for (int record = 0; record < kTranslationFiles; ++record) {
        const int row = TranslationRecordRow(record);
        const std::string file = folder / "p/qtext/" + ComponentCatalogue[row].FileName;
        ASSERT_EQ(Shell("msexpand < " + file + " > " + folder / "text"), 0) << file;
        EXPECT_TRUE(ReadFileBytes(folder / "text") == MakeSampleTranslation(row).Text) << file;
    }
}

} // namespace
