// Start-up rules of the main window that do not need the whole run.
#include "common/install_settings.h"
#include "shell/backdrop.h"
#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <string>

namespace {
class CurrentDirectory {
  public:
    CurrentDirectory() { GetCurrentDirectoryA(sizeof saved, saved); }
    ~CurrentDirectory() { SetCurrentDirectoryA(saved); }

  private:
    char saved[MAX_PATH];
};
} // namespace

TEST(SourceDir, DriveRootKeepsOnlyLetterAndColon)
{
    CurrentDirectory restore;
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    memset(SourceDir, 'x', sizeof SourceDir);
    RecordSourceDir();
    EXPECT_STREQ(SourceDir, "C:");
}

TEST(SourceDir, SubdirectoryStaysUnchanged)
{
    CurrentDirectory restore;
    CreateDirectoryA("C:\\setup", nullptr);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\setup"));
    RecordSourceDir();
    EXPECT_STREQ(SourceDir, "C:\\setup");
}

TEST(SourceDir, DirectoryLongerThanTheLimitLeavesItEmpty)
{
    CurrentDirectory restore;
    // Build a directory whose path is longer than 500 characters.
    std::wstring path = L"\\\\?\\C:\\long";
    CreateDirectoryW(path.c_str(), nullptr);
    while (path.size() < 4 + 520) {
        path += L"\\" + std::wstring(60, L'd');
        CreateDirectoryW(path.c_str(), nullptr);
    }
    if (!SetCurrentDirectoryW(path.c_str()))
        GTEST_SKIP() << "this system refuses a current directory that long";
    memset(SourceDir, 'x', sizeof SourceDir);
    RecordSourceDir();
    EXPECT_STREQ(SourceDir, "");
}

TEST(Backdrop, EightBitPaletteTakesEveryColourTableEntry)
{
    RGBQUAD table[256];
    for (int i = 0; i < 256; ++i)
        table[i] = RGBQUAD{BYTE(i), BYTE(255 - i), BYTE(i * 7), BYTE(0x99)};
    HPALETTE palette = MakeBackdropPalette(table);
    ASSERT_NE(palette, nullptr);
    PALETTEENTRY entries[257] = {};
    EXPECT_EQ(GetPaletteEntries(palette, 0, 257, entries), 256u);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(entries[i].peRed, BYTE(i * 7)) << i;
        EXPECT_EQ(entries[i].peGreen, BYTE(255 - i)) << i;
        EXPECT_EQ(entries[i].peBlue, BYTE(i)) << i;
        EXPECT_EQ(entries[i].peFlags, PC_NOCOLLAPSE) << i;
    }
    DeleteObject(palette);
}

TEST(Backdrop, MakeFontFillsTheTitleFontAsAsked)
{
    HFONT font = MakeFont(400, 0, 72, 1, "Arial Black");
    ASSERT_NE(font, nullptr);
    LOGFONTA described = {};
    ASSERT_EQ(GetObjectA(font, sizeof described, &described), int(sizeof described));
    EXPECT_EQ(described.lfHeight, 72);
    EXPECT_EQ(described.lfWeight, 400);
    EXPECT_EQ(described.lfCharSet, 1);
    EXPECT_EQ(described.lfOutPrecision, OUT_STROKE_PRECIS);
    EXPECT_EQ(described.lfClipPrecision, CLIP_STROKE_PRECIS);
    EXPECT_EQ(described.lfQuality, DRAFT_QUALITY);
    EXPECT_EQ(described.lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS);
    EXPECT_STREQ(described.lfFaceName, "Arial Black");
    DeleteObject(font);

    HFONT unnamed = MakeFont(700, 0, 10, 0, nullptr);
    ASSERT_NE(unnamed, nullptr);
    ASSERT_EQ(GetObjectA(unnamed, sizeof described, &described), int(sizeof described));
    EXPECT_STREQ(described.lfFaceName, "");
    DeleteObject(unnamed);
}

namespace {
LRESULT CALLBACK PaintOnlyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT)
        return OnBackdropPaint(window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

COLORREF PaintedPixel(HBITMAP backdrop)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PaintOnlyProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(RGB(0, 200, 0));
    windowClass.lpszClassName = "BackdropPaintTest";
    RegisterClassA(&windowClass);
    HBITMAP saved = BackdropBitmap;
    int savedWidth = ScreenWidth, savedHeight = ScreenHeight;
    BackdropBitmap = backdrop;
    ScreenWidth = ScreenHeight = 40;
    HWND window = CreateWindowExA(0, "BackdropPaintTest", "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(window);
    COLORREF pixel = GetPixel(dc, 20, 20);
    ReleaseDC(window, dc);
    DestroyWindow(window);
    BackdropBitmap = saved;
    ScreenWidth = savedWidth;
    ScreenHeight = savedHeight;
    return pixel;
}
} // namespace

TEST(Backdrop, NullBitmapPaintsNothingAndLeavesTheClassBackground)
{
    EXPECT_EQ(PaintedPixel(nullptr), RGB(0, 200, 0));

    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 40);
    HDC memoryDc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memoryDc, bitmap);
    RECT all{0, 0, 40, 40};
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 200));
    FillRect(memoryDc, &all, blue);
    SelectObject(memoryDc, old);
    DeleteDC(memoryDc);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(PaintedPixel(bitmap), RGB(0, 0, 200));
    DeleteObject(blue);
    DeleteObject(bitmap);
}
