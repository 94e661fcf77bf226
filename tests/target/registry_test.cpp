// The application-path and uninstall entries as the prefix's registry stores
// them: text, type and stored size of every value.
#include "common/install_settings.h"
#include "common/text.h"
#include "integration/registry.h"
#include "integration_fixtures.h"
#include "payload/payload_table.h"

#include <gtest/gtest.h>

using namespace fixtures;

namespace
{

const std::string kAppPath = std::string(kAppPathsKey) + "\\Dunvo";
const std::string kUninstall = std::string(kUninstallKey) + "\\Dunvo";

void ExpectText(const std::string &key, const char *name, const std::string &text)
{
    const StoredValue value = ReadValue(key, name);
    const std::string label = key + " : " + (name ? name : "(default)");
    ASSERT_TRUE(value.found) << label;
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ)) << label;
    EXPECT_EQ(value.data.size(), text.size() + 1) << label << ": stored with its terminating zero";
    EXPECT_EQ(value.Text(), text) << label;
    EXPECT_EQ(value.data.back(), '\0') << label;
}

void ExpectNumber(const std::string &key, const char *name, DWORD number)
{
    const StoredValue value = ReadValue(key, name);
    ASSERT_TRUE(value.found) << name;
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD)) << name;
    EXPECT_EQ(value.Number(), number) << name;
}

class Registration : public testing::Test
{
  protected:
    void SetUp() override
    {
        DeleteKey(kAppPath);
        DeleteKey(kUninstall);
    }
    void TearDown() override
    {
        DeleteKey(kAppPath);
        DeleteKey(kUninstall);
    }
};

} // namespace

TEST_F(Registration, WritesEveryValueWithItsTerminator)
{
    ScratchFolder install("Dunvo Registry Test");
    ASSERT_TRUE(CopyInto(InstallDir, install.Path().c_str()));
    // Files of the installation count towards the size; a file of the user's does not.
    CreateDirectoryA((install / "qtext").c_str(), nullptr);
    PayloadEntry translation;
    ASSERT_TRUE(DescribeFilesRecord(0, &translation));
    MakeFile(install / translation.Name, 700);
    MakeFile(install / "dunvo.exe", 1500);
    MakeFile(install / "avaldata.dat", 10);
    MakeFile(install / "notes of the user.txt", 5000);
    const DWORD kilobytes = (700 + 1500 + 10 + 1023) / 1024;

    RegisterAppPath();
    const std::string command = "\"" + install.Path() + "\\uninstall.exe\"";
    RegisterUninstallEntry(command.c_str(), "C:\\Menu\\Dunvo");

    ExpectText(kAppPath, nullptr, "Dunvo");
    ExpectText(kAppPath, "Path", install.Path());

    ExpectText(kUninstall, "DisplayName", "Dunvo");
    ExpectText(kUninstall, "UninstallString", command);
    ExpectText(kUninstall, "Scdir", "C:\\Menu\\Dunvo");
    ExpectText(kUninstall, "Progdir", install.Path());
    ExpectText(kUninstall, "DisplayVersion", "7.02");
    ExpectText(kUninstall, "Publisher", "Dunvo");
    ExpectText(kUninstall, "DisplayIcon", install.Path() + "\\dunvo.exe");
    ExpectText(kUninstall, "InstallLocation", install.Path());
    ExpectNumber(kUninstall, "EstimatedSize", kilobytes);
    ExpectNumber(kUninstall, "NoModify", 1);
    ExpectNumber(kUninstall, "NoRepair", 1);
}

TEST_F(Registration, SecondRunOverwritesTheSameSubkeysAndKeepsOtherValues)
{
    ASSERT_TRUE(CopyInto(InstallDir, "C:\\First"));
    RegisterAppPath();
    RegisterUninstallEntry("\"C:\\First\\uninstall.exe\"", "C:\\Menu\\Dunvo");
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstall.c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    RegSetValueExA(key, "Comments", 0, REG_SZ, reinterpret_cast<const BYTE *>("kept"), 5);
    RegCloseKey(key);

    ASSERT_TRUE(CopyInto(InstallDir, "D:\\Second place"));
    RegisterAppPath();
    RegisterUninstallEntry("\"D:\\Second place\\uninstall.exe\"", "D:\\Other\\Dunvo");

    ExpectText(kAppPath, "Path", "D:\\Second place");
    ExpectText(kUninstall, "UninstallString", "\"D:\\Second place\\uninstall.exe\"");
    ExpectText(kUninstall, "Scdir", "D:\\Other\\Dunvo");
    ExpectText(kUninstall, "Progdir", "D:\\Second place");
    ExpectText(kUninstall, "Comments", "kept");
    ExpectNumber(kUninstall, "EstimatedSize", 0); // nothing installed there

    // One subkey of that name, not a second one.
    for (const char *parent : {kAppPathsKey, kUninstallKey}) {
        HKEY parentKey;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, parent, 0, KEY_READ, &parentKey), ERROR_SUCCESS);
        int ours = 0;
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = sizeof name;
            if (RegEnumKeyExA(parentKey, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            ours += _strnicmp(name, "Dunvo", 5) == 0; // "Dunvo", and no "Dunvo.exe" beside it
        }
        RegCloseKey(parentKey);
        EXPECT_EQ(ours, 1) << parent;
    }
}

TEST_F(Registration, TextsThatDoNotFitAreLeftOutNotCut)
{
    const std::string longDir = "C:\\" + std::string(500, 'l'); // 503: no room for "\dunvo.exe"
    ASSERT_TRUE(CopyInto(InstallDir, longDir.c_str()));
    const std::string tooLong(600, 'x');
    RegisterAppPath();
    RegisterUninstallEntry("", tooLong.c_str());
    ExpectText(kAppPath, "Path", longDir);
    ExpectText(kUninstall, "Progdir", longDir);
    ExpectText(kUninstall, "DisplayName", "Dunvo");
    EXPECT_FALSE(ReadValue(kUninstall, "UninstallString").found);
    EXPECT_FALSE(ReadValue(kUninstall, "Scdir").found);
    EXPECT_FALSE(ReadValue(kUninstall, "DisplayIcon").found);
}

// Without a parent key the entry cannot be opened for writing, as for a user
// without the right to write machine-wide keys: nothing is written, nothing
// created, and the call returns normally.
TEST_F(Registration, MissingParentKeyWritesNothing)
{
    const char kBackup[] = "SOFTWARE\\Dunvo Test Backup";
    ASSERT_TRUE(CopyInto(InstallDir, "C:\\Somewhere"));
    for (const char *parent : {kAppPathsKey, kUninstallKey}) {
        HKEY source, backup;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, parent, 0, KEY_READ, &source), ERROR_SUCCESS);
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kBackup, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &backup, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegCopyTreeA(source, nullptr, backup), ERROR_SUCCESS);
        RegCloseKey(source);
        ASSERT_EQ(RegDeleteTreeA(HKEY_LOCAL_MACHINE, parent), ERROR_SUCCESS);
        ASSERT_FALSE(KeyExists(parent));

        RegisterAppPath();
        RegisterUninstallEntry("\"C:\\Somewhere\\uninstall.exe\"", "C:\\Menu\\Dunvo");
        EXPECT_FALSE(KeyExists(parent)) << parent;

        HKEY restored;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, parent, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &restored, nullptr),
                  ERROR_SUCCESS);
        RegCopyTreeA(backup, nullptr, restored);
        RegCloseKey(restored);
        RegCloseKey(backup);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kBackup);
        // The other entry, whose parent was there, was written as usual.
        const std::string other =
            std::string(parent == kAppPathsKey ? kUninstallKey : kAppPathsKey) + "\\Dunvo";
        EXPECT_TRUE(KeyExists(other)) << other;
        DeleteKey(other);
    }
}
