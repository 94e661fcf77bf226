// The registry and shell-link writers where no road through the pages leads:
// texts too long for their buffers, a machine without the parent keys, a link
// that cannot be saved.
#include "integration/registry.h"
#include "integration/shell_link.h"
#include "target_test.h"

// The bytes stored in a value of our subkey below `parent`, or "<missing>".
static std::string Stored(const char *parent, const char *name)
{
    char data[1024];
    DWORD size = sizeof data;
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(parent) + "\\" + kRegistrySubkey).c_str(), 0, KEY_READ,
                  &key);
    const LONG read = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE *>(data), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS ? std::string(data, size) : "<missing>";
}

// HKEY_LOCAL_MACHINE of this process is a scratch key here: first with the two
// parent keys the writers open, then without them, as for a user who may not
// write machine-wide keys.
TEST(Registry, TextsThatDoNotFitAndEntriesWithoutAParentAreLeftOut)
{
    const char kScratch[] = "Software\\Dunvo Test Machine";
    HKEY machine, software;
    RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &machine, nullptr);
    for (const char *parent : {kAppPathsKey, kUninstallKey})
        RegSetKeyValueA(machine, parent, nullptr, REG_SZ, "", 1);
    const std::string longDir = "C:\\" + std::string(500, 'l'); // 503: no room for "\dunvo.exe"
    ASSERT_TRUE(CopyInto(InstallDir, longDir.c_str()));
    ASSERT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine), ERROR_SUCCESS);

    RegisterAppPath();
    RegisterUninstallEntry("", std::string(600, 'm').c_str());
    for (const auto &[parent, name] : {std::pair{kAppPathsKey, "Path"}, {kUninstallKey, "Progdir"}})
        EXPECT_EQ(Stored(parent, name), longDir + '\0') << name; // whole, with its terminator
    for (const char *name : {"UninstallString", "Scdir", "DisplayIcon"})
        EXPECT_EQ(Stored(kUninstallKey, name), "<missing>") << name;

    RegDeleteTreeA(machine, "SOFTWARE");
    RegisterAppPath();
    RegisterUninstallEntry("\"C:\\Somewhere\\uninstall.exe\"", "C:\\Menu\\Dunvo");
    EXPECT_NE(RegOpenKeyExA(machine, "SOFTWARE", 0, KEY_READ, &software), ERROR_SUCCESS);

    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(machine);
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
}

TEST(ShellLink, AFailureReturnsANegativeResultAndWritesNothing)
{
    const std::string folder = TempFolder("links"), target = folder + "\\dunvo.exe";
    EXPECT_LT(CreateShellShortcut(target.c_str(), folder.c_str(), (folder + "\\missing\\Dunvo.lnk").c_str(),
                                  "Dunvo"),
              0);
    // One unit more than MAX_PATH holds with its terminator: refused whole, not saved cut.
    const std::string tooLong = folder + "\\" + std::string(MAX_PATH - folder.size() - 5, 'n') + ".lnk";
    EXPECT_EQ(CreateShellShortcut(target.c_str(), folder.c_str(), tooLong.c_str(), "Dunvo"),
              HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_EQ(Listing(folder), std::vector<std::string>{});
    const std::string longest = tooLong.substr(0, tooLong.size() - 5) + ".lnk"; // the longest that fits
    EXPECT_EQ(CreateShellShortcut(target.c_str(), folder.c_str(), longest.c_str(), "Dunvo"), S_OK);
    EXPECT_TRUE(DeleteFileA(longest.c_str())); // saved under its whole name, and gone for a repeat
}
