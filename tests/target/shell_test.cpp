// Start-up where no road through the pages leads: the backdrop without a
// bitmap or on an 8-bit screen, the folder the setup was started from when it
// is a drive root or too long, and a drive that cannot be measured.
#include "options/drives.h"
#include "shell/backdrop.h"
#include "shell/main_window.h"
#include "target_test.h"

#include <cstring>

// The top-left pixel of a window painted green, once the backdrop's paint
// handler has run over it with `bitmap`.
static COLORREF PaintedOverGreen(HBITMAP bitmap)
{
    HWND window =
        CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr, nullptr, nullptr);
    ValidateRect(window, nullptr);
    HDC dc = GetDC(window);
    const RECT all = {0, 0, 40, 40};
    SetDCBrushColor(dc, RGB(0, 200, 0));
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    BackdropBitmap = bitmap;
    ScreenWidth = ScreenHeight = 40;
    InvalidateRect(window, nullptr, FALSE);
    OnBackdropPaint(window, WM_PAINT, 0, 0);
    const COLORREF pixel = GetPixel(dc, 0, 0);
    ReleaseDC(window, dc);
    DestroyWindow(window);
    return pixel;
}

// A capture that could not be made (no memory) leaves what was there.
TEST(Backdrop, WithoutABitmapNothingIsPainted)
{
    EXPECT_EQ(PaintedOverGreen(nullptr), RGB(0, 200, 0));
    const std::vector<DWORD> blue(40 * 40, 200); // 0x00RRGGBB
    HBITMAP bitmap = CreateBitmap(40, 40, 1, 32, blue.data());
    EXPECT_EQ(PaintedOverGreen(bitmap), RGB(0, 0, 200)); // so the look can tell a painted bitmap
    DeleteObject(bitmap);
}

TEST(Backdrop, AnEightBitScreenGetsAPaletteOfItsColourTable)
{
    RGBQUAD table[256];
    PALETTEENTRY expected[256], entries[257] = {};
    for (int i = 0; i < 256; ++i) {
        table[i] = RGBQUAD{BYTE(i), BYTE(255 - i), BYTE(i * 7), 0};
        expected[i] = PALETTEENTRY{BYTE(i * 7), BYTE(255 - i), BYTE(i), PC_NOCOLLAPSE};
    }
    HPALETTE palette = MakeBackdropPalette(table);
    EXPECT_EQ(GetPaletteEntries(palette, 0, 257, entries), 256u);
    EXPECT_EQ(memcmp(entries, expected, sizeof expected), 0);
    DeleteObject(palette);
    BackdropPalette = nullptr;
    ScreenBitsPerPixel = 8;
    ScreenWidth = ScreenHeight = 16;
    DeleteObject(BuildBackdrop(nullptr));
    EXPECT_NE(BackdropPalette, nullptr);
}

TEST(SourceDir, ADriveRootKeepsLetterAndColonAndATooLongFolderLeavesItEmpty)
{
    std::wstring deep = L"\\\\?\\C:";
    for (int length : {200, 200, 95}) { // 501 characters in all
        deep += L"\\" + std::wstring(length, L'd');
        CreateDirectoryW(deep.c_str(), nullptr);
    }
    for (const auto &[folder, recorded] :
         {std::pair<std::wstring, const char *>{L"C:\\", "C:"}, {deep, ""}}) {
        ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));
        memset(SourceDir, 'x', sizeof SourceDir - 1);
        RecordSourceDir();
        EXPECT_STREQ(SourceDir, recorded);
    }
    SetCurrentDirectoryA("C:\\");
}

// What the box says is the host tests' to check; here, that the failure is told
// and the old figure kept, and that with no drive listed nothing is measured.
TEST(FreeSpace, ADriveThatCannotBeMeasuredIsToldAndKeepsTheOldFigure)
{
    ASSERT_FALSE(GetLogicalDrives() & (1u << ('Q' - 'A'))); // nothing behind Q:
    strcpy(DriveTable[0], "Q:\\");
    FreeBytes = 987654321;
    BoxAnswerer boxes;
    DriveCount = 0;
    QueryFreeSpace(0);
    DriveCount = 1;
    QueryFreeSpace(0);
    EXPECT_EQ(FreeBytes, 987654321u);
    EXPECT_EQ(boxes.seen.size(), 1u);
}
