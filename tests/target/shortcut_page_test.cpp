// The shortcut page and its Start-menu folder chooser, run modally as the
// page sequence runs them, over shell folders pointed at scratch folders.
// The roads a user takes through the page (Finish with each choice of boxes,
// Cancel, a folder ending in a backslash) are the end-to-end scenarios; here
// are the cases a user cannot easily reach: missing and overlong folders, an
// earlier run's folder, and every move of the chooser.
#include "common/install_settings.h"
#include "common/text.h"
#include "integration/registry.h"
#include "integration/shortcut_page.h"
#include "integration_fixtures.h"
#include "modal_steps.h"
#include "options/folder_list.h"
#include "resources/resource.h"
#include "shell/pages.h"

#include <commctrl.h>

#include <algorithm>
#include <gtest/gtest.h>

using namespace fixtures;

namespace
{

const std::string kUninstall = std::string(kUninstallKey) + "\\Dunvo";
const std::string kAppPath = std::string(kAppPathsKey) + "\\Dunvo";

bool IsShortcutPage(HWND top)
{
    return top && GetDlgItem(top, IDC_SHORTCUT_START_MENU);
}
bool IsChooser(HWND top)
{
    return top && GetDlgItem(top, IDL_CHOOSER_FOLDERS);
}

std::string TextOf(HWND window, int id)
{
    char text[1024] = "";
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

// A step that sets the two boxes and presses a button of the page.
ModalSteps::Step Press(int button, int desktop = -1, int startMenu = -1)
{
    return [=](HWND top) {
        if (!IsShortcutPage(top))
            return false;
        if (desktop >= 0)
            SendDlgItemMessageA(top, IDC_SHORTCUT_DESKTOP, BM_SETCHECK, desktop, 0);
        if (startMenu >= 0)
            SendDlgItemMessageA(top, IDC_SHORTCUT_START_MENU, BM_SETCHECK, startMenu, 0);
        PostMessageA(top, WM_COMMAND, button, 0);
        return true;
    };
}

// Scratch Start-menu and desktop folders and an installation directory with
// a blank in its name, and no entry of an earlier test.
class ShortcutPage : public testing::Test
{
  protected:
    ShortcutPage()
        : root_("Dunvo Page Test"), programs_(root_ / "Programs"), desktop_(root_ / "Desktop"),
          install_(root_ / "Program files\\Dunvo"), programsValue_(programs_), desktopValue_(desktop_),
          programsOverride_("Common Programs", &programsValue_),
          desktopOverride_("Common Desktop", &desktopValue_)
    {
        CreateDirectoryA(programs_.c_str(), nullptr);
        CreateDirectoryA(desktop_.c_str(), nullptr);
        CreateDirectoryA((root_ / "Program files").c_str(), nullptr);
        CreateDirectoryA(install_.c_str(), nullptr);
        CopyInto(InstallDir, install_.c_str());
        CopyInto(InstallDirName, "Dunvo");
        LaunchFile[0] = '\0';
        DeleteKey(kAppPath);
        DeleteKey(kUninstall);
    }
    ~ShortcutPage() override
    {
        DeleteKey(kAppPath);
        DeleteKey(kUninstall);
    }

    void ExpectEntries(const std::string &scdir)
    {
        EXPECT_EQ(ReadValue(kAppPath, "Path").Text(), install_);
        EXPECT_EQ(ReadValue(kUninstall, "UninstallString").Text(), "\"" + install_ + "\\uninstall.exe\"");
        EXPECT_EQ(ReadValue(kUninstall, "Scdir").Text(), scdir);
        EXPECT_EQ(ReadValue(kUninstall, "Progdir").Text(), install_);
    }
    void ExpectLink(const std::string &link, const std::string &target, const std::string &description)
    {
        const LoadedLink loaded = LoadLink(link);
        ASSERT_TRUE(loaded.loaded) << link;
        EXPECT_EQ(Lower(loaded.target), Lower(target)) << link;
        EXPECT_EQ(loaded.description, description) << link;
    }

    ScratchFolder root_;
    std::string programs_, desktop_, install_;
    std::string programsValue_, desktopValue_;
    ShellFolderOverride programsOverride_, desktopOverride_;
};

} // namespace

TEST_F(ShortcutPage, AnEarlierRunsFolderIsWrittenAgain)
{
    const std::string folder = programs_ + "\\Dunvo";
    CreateDirectoryA(folder.c_str(), nullptr);
    MakeFile(folder + "\\Readme.lnk", 3); // not a shortcut: replaced by the new one
    ModalSteps steps({Press(IDOK)});
    EXPECT_EQ(RunShortcutPage(nullptr), 1);
    ExpectLink(folder + "\\Readme.lnk", install_ + "\\Readme.rtf", "Readme");
    EXPECT_EQ(Entries(folder).size(), 3u);
}

TEST_F(ShortcutPage, WithoutCommonProgramsTheFolderGoesToDriveC)
{
    ShellFolderOverride programs("Common Programs", nullptr);
    std::string shownFolder;
    ModalSteps steps({[&](HWND top) {
        if (!IsShortcutPage(top))
            return false;
        shownFolder = TextOf(top, IDE_SHORTCUT_FOLDER);
        PostMessageA(top, WM_COMMAND, IDOK, 0);
        return true;
    }});
    EXPECT_EQ(RunShortcutPage(nullptr), 1);
    EXPECT_EQ(shownFolder, "C:");
    EXPECT_EQ(std::string(LaunchFile), "C:\\Dunvo");
    ExpectLink("C:\\Dunvo\\Dunvo.lnk", install_ + "\\Dunvo.exe", "Dunvo");
    ExpectEntries("C:\\Dunvo");
    RemoveTree("C:\\Dunvo");
}

// Paths that leave no room for a format are left out, never cut: a
// Start-menu folder without room for "\Dunvo" gives neither shortcuts nor
// "Scdir"; an installation directory without room for "\uninstall.exe"
// gives no "UninstallString".
TEST_F(ShortcutPage, PathsThatDoNotFitAreLeftOut)
{
    const std::string deepMenu = "C:\\" + std::string(503, 'm'); // 506 + "\Dunvo" = 512: one too many
    ShellFolderOverride programs("Common Programs", &deepMenu);
    const std::string longInstall = "C:\\" + std::string(494, 'i'); // 497 + quotes and "\uninstall.exe" = 513
    ASSERT_TRUE(CopyInto(InstallDir, longInstall.c_str()));
    ModalSteps steps({Press(IDOK)});
    EXPECT_EQ(RunShortcutPage(nullptr), 0);
    EXPECT_EQ(std::string(LaunchFile), "");
    EXPECT_EQ(std::string(StartMenuFolder), deepMenu);
    EXPECT_FALSE(ReadValue(kUninstall, "Scdir").found);
    EXPECT_FALSE(ReadValue(kUninstall, "UninstallString").found);
    EXPECT_EQ(ReadValue(kUninstall, "Progdir").Text(), longInstall);
    EXPECT_EQ(ReadValue(kAppPath, "Path").Text(), longInstall);
}

namespace
{

std::vector<std::string> Rows(HWND list)
{
    std::vector<std::string> rows;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        rows.push_back(text);
    }
    return rows;
}

// What a double-click on the row with `text` sends: the row selected, then NM_DBLCLK.
void DoubleClickRow(HWND chooser, const std::string &text)
{
    HWND list = GetDlgItem(chooser, IDL_CHOOSER_FOLDERS);
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = text.c_str();
    const int row = static_cast<int>(
        SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
    ASSERT_GE(row, 0) << text;
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    NMITEMACTIVATE click = {};
    click.hdr.hwndFrom = list;
    click.hdr.idFrom = IDL_CHOOSER_FOLDERS;
    click.hdr.code = NM_DBLCLK;
    click.iItem = row;
    SendMessageA(chooser, WM_NOTIFY, IDL_CHOOSER_FOLDERS, reinterpret_cast<LPARAM>(&click));
}

struct Seen {
    std::string folder, path;
    std::vector<std::string> rows;
};

Seen Look(HWND chooser)
{
    return Seen{StartMenuFolder, TextOf(chooser, IDE_CHOOSER_PATH),
                Rows(GetDlgItem(chooser, IDL_CHOOSER_FOLDERS))};
}

using Rowset = std::vector<std::string>;

} // namespace

TEST(StartMenuChooser, WalksDownAndUpAndCancelKeepsTheFolderWalkedTo)
{
    ScratchFolder menu("Dunvo Chooser Menu");
    for (const char *name : {"Beta", "Alpha", "(Early)"})
        CreateDirectoryA((menu / name).c_str(), nullptr);
    MakeFile(menu / "file.txt", 1); // files are never listed
    CreateDirectoryA((menu / "Alpha\\Inner").c_str(), nullptr);
    ASSERT_GT(menu.Path().size(), 21u);
    CopyInto(StartMenuFolder, menu.Path().c_str());
    CopyInto(InstallDirName, "Dunvo");

    std::vector<Seen> seen;
    std::string caption = "unset";
    ModalSteps steps({[&](HWND top) {
        if (!IsChooser(top))
            return false;
        caption = ModalSteps::Caption(top);
        seen.push_back(Look(top));
        DoubleClickRow(top, "Alpha");
        seen.push_back(Look(top));
        DoubleClickRow(top, "........");
        seen.push_back(Look(top));
        DoubleClickRow(top, "(Early)"); // sorted before the go-up row, still entered
        seen.push_back(Look(top));
        DoubleClickRow(top, "........");
        DoubleClickRow(top, "Dunvo"); // the folder still to be made
        seen.push_back(Look(top));
        PostMessageA(top, WM_COMMAND, IDCANCEL, 0);
        return true;
    }});
    RunStartMenuChooser(nullptr);
    ASSERT_TRUE(steps.Finished());
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(caption, "");

    const std::string top = menu.Path();
    EXPECT_EQ(seen[0].folder, top);
    EXPECT_EQ(seen[0].path, top + "\\Dunvo");
    const Rowset topRows = {"(Early)", "........", "Alpha", "Beta", "Dunvo"};
    Rowset sorted = seen[0].rows;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, topRows);

    EXPECT_EQ(seen[1].folder, top + "\\Alpha");
    EXPECT_EQ(seen[1].path, top + "\\Alpha\\Dunvo");
    EXPECT_EQ(seen[1].rows, (Rowset{"........", "Dunvo", "Inner"}));
    EXPECT_EQ(seen[2].folder, top);
    EXPECT_EQ(seen[3].folder, top + "\\(Early)");
    EXPECT_EQ(seen[4].folder, top + "\\Dunvo");
    EXPECT_EQ(seen[4].rows, (Rowset{"........", "Dunvo"}));
    // Cancel keeps the folder walked to.
    EXPECT_EQ(std::string(StartMenuFolder), top + "\\Dunvo");
}

TEST(StartMenuChooser, ShortPathHasNoGoUpRowAndTooDeepFoldersAreNotEntered)
{
    RemoveTree("C:\\dunvo-menu");
    CreateDirectoryA("C:\\dunvo-menu", nullptr);
    CreateDirectoryA("C:\\dunvo-menu\\Sub", nullptr);
    CopyInto(StartMenuFolder, "C:\\dunvo-menu"); // 13 characters: the top of the listing
    CopyInto(InstallDirName, "Dunvo");
    std::vector<Seen> seen;
    const std::string deep =
        "C:\\" + std::string(kListedFolderChars - 3 - 5, 'd'); // "\Dunvo" would pass the limit
    ModalSteps steps({[&](HWND top) {
        if (!IsChooser(top))
            return false;
        seen.push_back(Look(top));
        DoubleClickRow(top, "Sub");
        seen.push_back(Look(top));
        CopyInto(StartMenuFolder, deep.c_str());
        DoubleClickRow(top, "Dunvo");
        seen.push_back(Look(top));
        PostMessageA(top, WM_COMMAND, IDOK, 0);
        return true;
    }});
    RunStartMenuChooser(nullptr);
    ASSERT_TRUE(steps.Finished());
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].rows, (Rowset{"Dunvo", "Sub"}));
    EXPECT_EQ(seen[0].path, "C:\\dunvo-menu\\Dunvo");
    EXPECT_EQ(seen[1].folder, "C:\\dunvo-menu\\Sub");
    EXPECT_EQ(seen[2].folder, deep);
    EXPECT_EQ(std::string(StartMenuFolder), deep);
    RemoveTree("C:\\dunvo-menu");
}

TEST_F(ShortcutPage, ChooserOpenedFromThePageMovesTheStartMenuFolder)
{
    CreateDirectoryA((programs_ + "\\Accessories").c_str(), nullptr);
    std::string shownAfter;
    ModalSteps steps({
        [&](HWND top) {
            if (!IsShortcutPage(top))
                return false;
            PostMessageA(top, WM_COMMAND, IDB_SHORTCUT_CHOOSE, 0);
            return true;
        },
        [&](HWND top) {
            if (!IsChooser(top))
                return false;
            DoubleClickRow(top, "Accessories");
            PostMessageA(top, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&](HWND top) {
            if (!IsShortcutPage(top))
                return false;
            shownAfter = TextOf(top, IDE_SHORTCUT_FOLDER);
            PostMessageA(top, WM_COMMAND, IDOK, 0);
            return true;
        },
    });
    EXPECT_EQ(RunShortcutPage(nullptr), 1);
    const std::string folder = programs_ + "\\Accessories\\Dunvo";
    EXPECT_EQ(shownAfter, folder);
    EXPECT_EQ(std::string(LaunchFile), folder);
    EXPECT_EQ(Entries(folder).size(), 3u);
    ExpectEntries(folder);
}
