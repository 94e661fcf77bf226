// Shortcut files written through the shell-link object and read back the
// same way, and the all-users folders read from the prefix's registry.
#include "integration/shell_link.h"
#include "integration_fixtures.h"

#include <gtest/gtest.h>

using namespace fixtures;

namespace
{

const char kUntouched[] = "caller's own text";

struct FolderCase {
    const char *label;
    std::string stored; // the bytes stored, terminator included unless left out on purpose
    size_t capacity;
    int expectedResult;
    std::string expectedText; // kUntouched when the buffer must stay as it was
};

} // namespace

TEST(ReadShellFolderPath, ReadsOnlyWholeNonEmptyValuesLessOneFinalBackslash)
{
    const std::string longValue = "C:\\" + std::string(296, 'a');    // 299 characters
    const std::string fullValue = "C:\\" + std::string(508, 'b');    // 511: the most a 512 buffer holds
    const std::string unterminated = "C:\\" + std::string(509, 'c'); // 512 bytes, no terminator
    const FolderCase cases[] = {
        {"trailing backslash removed", std::string("C:\\Some\\Folder\\", 16), 512, 1, "C:\\Some\\Folder"},
        {"no trailing backslash", std::string("C:\\Some\\Folder", 15), 512, 1, "C:\\Some\\Folder"},
        {"drive root loses only its backslash", std::string("D:\\", 4), 512, 1, "D:"},
        {"only one of two backslashes removed", std::string("E:\\Menu\\\\", 10), 512, 1, "E:\\Menu\\"},
        {"empty value", std::string("", 1), 512, 0, kUntouched},
        {"longer than a 260-byte buffer", longValue + '\0', 260, 0, kUntouched},
        {"the same value in a 512-byte buffer", longValue + '\0', 512, 1, longValue},
        {"511 characters", fullValue + '\0', 512, 1, fullValue},
        {"more than the 512 bytes read", std::string(600, 'd') + '\0', 512, 0, kUntouched},
        {"512 bytes stored without terminator", unterminated, 512, 0, kUntouched},
    };
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kShellFoldersKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    for (const FolderCase &c : cases) {
        const char *name = "Dunvo Test Folder";
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(c.stored.data()),
                       static_cast<DWORD>(c.stored.size()));
        std::vector<char> buffer(c.capacity + 16, '#'); // the tail shows any write past capacity
        strcpy(buffer.data(), kUntouched);
        EXPECT_EQ(ReadShellFolderPath(buffer.data(), c.capacity, name), c.expectedResult) << c.label;
        EXPECT_EQ(std::string(buffer.data()), c.expectedText) << c.label;
        EXPECT_EQ(std::string(buffer.data() + c.capacity, 16), std::string(16, '#')) << c.label;
    }
    RegDeleteValueA(key, "Dunvo Test Folder");
    RegCloseKey(key);

    char buffer[512];
    strcpy(buffer, kUntouched);
    EXPECT_EQ(ReadShellFolderPath(buffer, "Dunvo Test Folder"), 0) << "missing value";
    EXPECT_STREQ(buffer, kUntouched);
    // The prefix's own folders are there and come without a final backslash.
    ASSERT_EQ(ReadShellFolderPath(buffer, "Common Programs"), 1);
    EXPECT_NE(buffer[strlen(buffer) - 1], '\\');
    EXPECT_TRUE(Exists(buffer)) << buffer;
}

TEST(CreateShellShortcut, SavedLinkLoadsBackWithTargetAndDescription)
{
    ScratchFolder folder("dunvo-link");
    const std::string target = folder / "dunvo.exe";
    MakeFile(target, 100);
    const std::string link = folder / "Dunvo.lnk";
    EXPECT_EQ(CreateShellShortcut(target.c_str(), link.c_str(), "Dunvo"), S_OK);
    const LoadedLink loaded = LoadLink(link);
    ASSERT_TRUE(loaded.loaded);
    EXPECT_EQ(Lower(loaded.target), Lower(target));
    EXPECT_EQ(loaded.description, "Dunvo");

    // The program makes no test of its own whether the target exists.
    const std::string missingTarget = folder / "Readme.rtf";
    const std::string readme = folder / "Readme.lnk";
    EXPECT_EQ(CreateShellShortcut(missingTarget.c_str(), readme.c_str(), "Readme"), S_OK);
    EXPECT_EQ(Lower(LoadLink(readme).target), Lower(missingTarget));
}

TEST(CreateShellShortcut, SavingTwiceLeavesOneFileHoldingTheSecondSave)
{
    ScratchFolder folder("dunvo-link-twice");
    const std::string first = folder / "first.exe", second = folder / "second.exe";
    MakeFile(first, 10);
    MakeFile(second, 10);
    const std::string link = folder / "Dunvo.lnk";
    EXPECT_EQ(CreateShellShortcut(first.c_str(), link.c_str(), "first"), S_OK);
    EXPECT_EQ(CreateShellShortcut(second.c_str(), link.c_str(), "second"), S_OK);
    const std::vector<std::string> entries = Entries(folder.Path());
    EXPECT_EQ(entries.size(), 3u); // the two targets and one link
    const LoadedLink loaded = LoadLink(link);
    EXPECT_EQ(Lower(loaded.target), Lower(second));
    EXPECT_EQ(loaded.description, "second");
}

TEST(CreateShellShortcut, FailureReturnsNegativeAndWritesNothing)
{
    ScratchFolder folder("dunvo-link-fail");
    const std::string target = folder / "dunvo.exe";
    MakeFile(target, 10);

    const std::string inMissingFolder = folder / "missing\\Dunvo.lnk";
    EXPECT_LT(CreateShellShortcut(target.c_str(), inMissingFolder.c_str(), "Dunvo"), 0);
    EXPECT_FALSE(Exists(folder / "missing"));

    // One unit more than MAX_PATH holds with its terminator: refused whole,
    // not saved under the first 260 characters.
    const std::string tooLong =
        folder.Path() + "\\" + std::string(MAX_PATH - folder.Path().size() - 5, 'n') + ".lnk";
    ASSERT_EQ(tooLong.size(), static_cast<size_t>(MAX_PATH));
    EXPECT_EQ(CreateShellShortcut(target.c_str(), tooLong.c_str(), "Dunvo"),
              HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_EQ(Entries(folder.Path()), std::vector<std::string>{"dunvo.exe"});

    // The longest path that fits is saved.
    const std::string longest = tooLong.substr(0, tooLong.size() - 5) + ".lnk";
    EXPECT_EQ(CreateShellShortcut(target.c_str(), longest.c_str(), "Dunvo"), S_OK);
    EXPECT_TRUE(LoadLink(longest).loaded);
}
