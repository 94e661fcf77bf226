// The folder browser made from the real template over a folder tree of the
// test's own prefix, and the options page's Browse button around it.
#include "common/app_window.h"
#include "common/install_settings.h"
#include "message_box_answerer.h"
#include "modal_steps.h"
#include "options/catalogue.h"
#include "options/folder_list.h"
#include "options/options_page.h"
#include "page_input.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

using namespace page_input;

namespace
{

const char kTree[] = "C:\\brtest";

struct Row {
    std::string text;
    int image;
    bool operator==(const Row &other) const { return text == other.text && image == other.image; }
    bool operator!=(const Row &other) const { return !(*this == other); }
};

std::ostream &operator<<(std::ostream &out, const Row &row)
{
    return out << '"' << row.text << "\" image " << row.image;
}

std::vector<Row> RowsOf(HWND browser)
{
    HWND list = GetDlgItem(browser, IDL_BROWSE_FOLDERS);
    std::vector<Row> rows;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        char text[260] = "";
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = index;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        rows.push_back({text, item.iImage});
    }
    return rows;
}

Row Up()
{
    return {"........", UpImageIndex};
}
Row Folder(const char *name)
{
    return {name, FolderImageIndex};
}
Row NewFolder(const char *name)
{
    return {name, NewFolderImageIndex};
}

// A double-click on the first row reading `text`.
void Enter(HWND browser, const std::string &text)
{
    const std::vector<Row> rows = RowsOf(browser);
    for (size_t index = 0; index < rows.size(); ++index)
        if (rows[index].text == text) {
            DoubleClickRow(browser, IDL_BROWSE_FOLDERS, static_cast<int>(index));
            return;
        }
    ADD_FAILURE() << "no row reads " << text;
}

void Enter(HWND browser, const Row &wanted)
{
    const std::vector<Row> rows = RowsOf(browser);
    const auto found = std::find(rows.begin(), rows.end(), wanted);
    ASSERT_NE(found, rows.end()) << wanted;
    DoubleClickRow(browser, IDL_BROWSE_FOLDERS, static_cast<int>(found - rows.begin()));
}

void TypeName(HWND browser, const std::string &name)
{
    SetDlgItemTextA(browser, IDE_BROWSE_NAME, name.c_str());
}

class FolderBrowserTest : public testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        CreateDirectoryA(kTree, nullptr);
        for (const char *folder : {"beta", "alpha", "Gamma", "hidden", ".cache"})
            CreateDirectoryA((std::string(kTree) + "\\" + folder).c_str(), nullptr);
        SetFileAttributesA("C:\\brtest\\hidden", FILE_ATTRIBUTE_HIDDEN);
        // An earlier installation's folder, and a name that sorts before the go-up row.
        for (const char *folder : {"Dunvo", "!first"})
            CreateDirectoryA((std::string(kTree) + "\\beta\\" + folder).c_str(), nullptr);
        CloseHandle(
            CreateFileA("C:\\brtest\\file.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    void SetUp() override
    {
        memset(DriveTable, 0, sizeof DriveTable);
        strcpy(DriveTable[0], "C:\\");
        strcpy(DriveTable[1], "Z:\\");
        DriveCount = 2;
        CurrentDrive = 0;
        strcpy(BaseFolder, kTree);
        strcpy(InstallDirName, "Dunvo");
        FreeBytes = uint64_t{1} << 40;
        RequiredBytes = BaseRequiredBytes;
    }
    void TearDown() override
    {
        if (browser_)
            DestroyWindow(browser_);
    }
    HWND Open()
    {
        browser_ = CreateDialogParamA(AppInstance, "IDD_BROWSE", nullptr, FolderBrowserProc, 0);
        EXPECT_NE(browser_, nullptr);
        return browser_;
    }

    CurrentDirectory restore_;
    HWND browser_ = nullptr;
};

} // namespace

TEST_F(FolderBrowserTest, ListsTheFoldersBelowARootWithAGoUpRowAndTheGreenRow)
{
    HWND browser = Open();
    const std::vector<Row> expected = {
        Up(), Folder("alpha"), Folder("beta"), NewFolder("Dunvo"), Folder("Gamma"), Folder("hidden")};
    EXPECT_EQ(RowsOf(browser), expected);
    EXPECT_EQ(LastFolderRow, 5);
    EXPECT_EQ(TextOf(browser, IDE_BROWSE_PATH), "C:\\brtest\\Dunvo");
    EXPECT_EQ(TextOf(browser, IDE_BROWSE_NAME), "Dunvo");
    EXPECT_EQ(TextOf(browser, IDC_BROWSE_DRIVES), "C:\\");
    EXPECT_EQ(TextOf(browser, IDT_BROWSE_SPACE), "Available: 1048576.00 MB  --  Required: 5.17 MB");
    // Three distinct pictures.
    EXPECT_NE(FolderImageIndex, UpImageIndex);
    EXPECT_NE(FolderImageIndex, NewFolderImageIndex);
    EXPECT_NE(UpImageIndex, NewFolderImageIndex);
}

TEST_F(FolderBrowserTest, AtADriveRootThereIsNoGoUpRow)
{
    strcpy(BaseFolder, "C:\\");
    HWND browser = Open();
    const std::vector<Row> rows = RowsOf(browser);
    ASSERT_FALSE(rows.empty());
    EXPECT_NE(rows[0], Up());
    EXPECT_NE(std::find(rows.begin(), rows.end(), Folder("brtest")), rows.end());
    EXPECT_NE(std::find(rows.begin(), rows.end(), NewFolder("Dunvo")), rows.end());
    EXPECT_EQ(TextOf(browser, IDE_BROWSE_PATH), "C:\\Dunvo");
}

TEST_F(FolderBrowserTest, DoubleClicksGoDownAndUpToTheRootWithItsBackslash)
{
    HWND browser = Open();
    Enter(browser, "alpha");
    EXPECT_STREQ(BaseFolder, "C:\\brtest\\alpha");
    EXPECT_EQ(RowsOf(browser), (std::vector<Row>{Up(), NewFolder("Dunvo")}));
    EXPECT_EQ(TextOf(browser, IDE_BROWSE_PATH), "C:\\brtest\\alpha\\Dunvo");
    Enter(browser, "........");
    EXPECT_STREQ(BaseFolder, "C:\\brtest");
    Enter(browser, "........");
    EXPECT_STREQ(BaseFolder, "C:\\");
    EXPECT_EQ(TextOf(browser, IDE_BROWSE_PATH), "C:\\Dunvo");
    Enter(browser, "brtest");
    EXPECT_STREQ(BaseFolder, "C:\\brtest");
}

// Rows are told apart by their pictures, not by their text or position.
TEST_F(FolderBrowserTest, AFolderThatSortsFirstOrIsNamedDunvoIsEnteredLikeAnyOther)
{
    strcpy(BaseFolder, "C:\\brtest\\beta");
    HWND browser = Open();
    const std::vector<Row> rows = RowsOf(browser);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], Folder("!first")) << "the list sorts the go-up row after it";
    EXPECT_NE(std::find(rows.begin(), rows.end(), Folder("Dunvo")), rows.end());
    Enter(browser, "!first");
    EXPECT_STREQ(BaseFolder, "C:\\brtest\\beta\\!first");
    Enter(browser, "........");
    EXPECT_STREQ(BaseFolder, "C:\\brtest\\beta");
    Enter(browser, NewFolder("Dunvo"));
    EXPECT_STREQ(BaseFolder, "C:\\brtest\\beta");
    Enter(browser, Folder("Dunvo"));
    EXPECT_STREQ(BaseFolder, "C:\\brtest\\beta\\Dunvo");
}

TEST_F(FolderBrowserTest, TheGreenRowIsEnteredOnlyOnceItIsRenamed)
{
    HWND browser = Open();
    Enter(browser, "Dunvo");
    EXPECT_STREQ(BaseFolder, kTree);

    TypeName(browser, "Fresh");
    EXPECT_STREQ(InstallDirName, "Fresh");
    // The list shows the new name from its next listing on.
    Enter(browser, "alpha");
    Enter(browser, "........");
    EXPECT_EQ(RowsOf(browser)[3], NewFolder("Fresh"));
    Enter(browser, "Fresh");
    EXPECT_STREQ(BaseFolder, "C:\\brtest\\Fresh");
    EXPECT_EQ(RowsOf(browser), (std::vector<Row>{Up(), NewFolder("Fresh")}));
    EXPECT_EQ(TextOf(browser, IDE_BROWSE_PATH), "C:\\brtest\\Fresh\\Fresh");
}

TEST_F(FolderBrowserTest, AHundredthCharacterOfTheNameIsRefused)
{
    HWND browser = Open();
    const std::string longest(99, 'n');
    TypeName(browser, longest);
    EXPECT_EQ(std::string(InstallDirName), longest);
    TypeName(browser, longest + "x");
    EXPECT_EQ(std::string(InstallDirName), longest);
    EXPECT_EQ(TextOf(browser, IDE_BROWSE_NAME), longest);
    TypeName(browser, "");
    EXPECT_STREQ(InstallDirName, "");
}

TEST_F(FolderBrowserTest, AFolderWhosePathWouldNotFitIsNotEntered)
{
    // The deepest folder that can still be listed has 507 characters.
    const std::string fits = "C:\\" + std::string(497, 'q'); // + "\Deeper" = 507
    strcpy(BaseFolder, fits.c_str());
    strcpy(InstallDirName, "Deeper"); // the first listing still shows the earlier name
    HWND browser = Open();
    Enter(browser, "Deeper");
    EXPECT_EQ(std::string(BaseFolder), fits + "\\Deeper");
    EXPECT_EQ(RowsOf(browser), (std::vector<Row>{Up(), NewFolder("Dunvo")}));
    // BaseFolder, a backslash and "Dunvo" make 513 characters: nothing cut is shown.
    EXPECT_EQ(TextOf(browser, IDE_BROWSE_PATH), "");
    DestroyWindow(browser);

    const std::string tooDeep = fits + "q";
    strcpy(BaseFolder, tooDeep.c_str());
    strcpy(InstallDirName, "Deeper");
    browser = Open();
    Enter(browser, "Deeper");
    EXPECT_EQ(std::string(BaseFolder), tooDeep);
}

TEST_F(FolderBrowserTest, PickingADriveListsAndMeasuresItsRoot)
{
    HWND browser = Open();
    HWND drives = GetDlgItem(browser, IDC_BROWSE_DRIVES);
    EXPECT_EQ(SendMessageA(drives, CB_GETCOUNT, 0, 0), 2);
    SendMessageA(drives, CB_SETCURSEL, 1, 0);
    SendMessageA(browser, WM_COMMAND, MAKEWPARAM(IDC_BROWSE_DRIVES, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(drives));
    EXPECT_STREQ(BaseFolder, kTree);
    FreeBytes = 0;
    SendMessageA(browser, WM_COMMAND, MAKEWPARAM(IDC_BROWSE_DRIVES, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(drives));
    EXPECT_STREQ(BaseFolder, "Z:\\");
    EXPECT_EQ(CurrentDrive, 1);
    EXPECT_GT(FreeBytes, 0u);
    EXPECT_EQ(TextOf(browser, IDE_BROWSE_PATH), "Z:\\Dunvo");
    EXPECT_NE(TextOf(browser, IDT_BROWSE_SPACE).find("Available: "), std::string::npos);
}

TEST_F(FolderBrowserTest, CancelKeepsTheFolderWalkedTo)
{
    HWND browser = Open();
    Enter(browser, "beta");
    TypeName(browser, "Other");
    Press(browser, IDCANCEL);
    EXPECT_TRUE(Ended(browser));
    EXPECT_STREQ(BaseFolder, "C:\\brtest\\beta");
    EXPECT_STREQ(InstallDirName, "Other");
}

TEST_F(FolderBrowserTest, OkWantsANameAndEnoughSpaceBeforeItCloses)
{
    HWND browser = Open();
    TypeName(browser, "");
    {
        MessageBoxAnswerer boxes;
        Press(browser, IDOK);
        const std::vector<SeenMessageBox> seen = boxes.Seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].text, "You forget to select a directory");
        EXPECT_EQ(seen[0].caption, "Warning");
        EXPECT_EQ(seen[0].style, UINT(MB_OK | MB_ICONWARNING));
        EXPECT_EQ(seen[0].owner, browser);
    }
    EXPECT_FALSE(Ended(browser));
    EXPECT_EQ(GetFocus(), GetDlgItem(browser, IDE_BROWSE_NAME));

    TypeName(browser, "Dunvo");
    FreeBytes = RequiredBytes - 1;
    {
        MessageBoxAnswerer boxes({IDYES, IDNO});
        Press(browser, IDOK);
        EXPECT_FALSE(Ended(browser));
        Press(browser, IDOK);
        EXPECT_FALSE(Ended(browser));
        const std::vector<SeenMessageBox> seen = boxes.Seen();
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[0].text, NotEnoughSpaceText);
        EXPECT_EQ(seen[0].caption, "Error"); // no caption given: the system's own
        EXPECT_EQ(seen[0].style, UINT(MB_YESNO | MB_ICONERROR));
    }

    FreeBytes = RequiredBytes;
    MessageBoxAnswerer none;
    Press(browser, IDOK);
    EXPECT_TRUE(Ended(browser));
    EXPECT_TRUE(none.Seen().empty());
}

// Browse on the options page: the browser runs modally over it, and whichever
// button closes it, the page's directory is rebuilt from the browser's choice.
TEST_F(FolderBrowserTest, BrowseThenCancelRewritesThePagesDirectory)
{
    HWND page = CreateDialogParamA(AppInstance, "IDD_DIR", nullptr, OptionsPageProc, 0);
    ASSERT_NE(page, nullptr);
    strcpy(BaseFolder, kTree);
    SetDlgItemTextA(page, IDE_DIR_PATH, "D:\\typed by hand");
    ModalSteps steps({[&](HWND top) {
        if (!top || !GetDlgItem(top, IDL_BROWSE_FOLDERS))
            return false;
        Enter(top, "alpha");
        PostMessageA(top, WM_COMMAND, IDCANCEL, 0);
        return true;
    }});
    Press(page, IDB_DIR_BROWSE);
    EXPECT_TRUE(steps.Finished());
    EXPECT_EQ(TextOf(page, IDE_DIR_PATH), "C:\\brtest\\alpha\\Dunvo");
    EXPECT_STREQ(InstallDir, "C:\\brtest\\alpha\\Dunvo");
    DestroyWindow(page);
}

TEST_F(FolderBrowserTest, BrowseToAPathTooLongKeepsThePagesDirectory)
{
    HWND page = CreateDialogParamA(AppInstance, "IDD_DIR", nullptr, OptionsPageProc, 0);
    ASSERT_NE(page, nullptr);
    const std::string before = InstallDir;
    // 507 characters, a backslash and "Dunvo" do not fit in 511.
    strcpy(BaseFolder, ("C:\\" + std::string(504, 'p')).c_str());
    ModalSteps steps({[&](HWND top) {
        if (!top || !GetDlgItem(top, IDL_BROWSE_FOLDERS))
            return false;
        PostMessageA(top, WM_COMMAND, IDCANCEL, 0);
        return true;
    }});
    MessageBoxAnswerer boxes;
    Press(page, IDB_DIR_BROWSE);
    EXPECT_TRUE(steps.Finished());
    const std::vector<SeenMessageBox> seen = boxes.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text,
              "The folder and the directory name chosen make a path longer than 511 characters.\n"
              "The installation directory stays as it was.");
    EXPECT_EQ(seen[0].style, UINT(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(std::string(InstallDir), before);
    EXPECT_EQ(TextOf(page, IDE_DIR_PATH), before);
    DestroyWindow(page);
}
