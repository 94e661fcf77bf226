#include "shell/backdrop.h"

#include "common/app_window.h"
#include "shell/main_window.h"

#include <cstring>

HPALETTE BackdropPalette;
HGLOBAL BackdropHeader;
void *BackdropPixels;

namespace {

const char kTitle[] = "Dunvo - Setup";
constexpr SIZE_T kHeaderBytes = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);

// Blacks out every pixel whose column plus row (counted from the bottom line,
// as the bottom-up rows lie in memory) is even. The stride keeps the filler
// bytes at the end of each row untouched.
void DimCheckerboard(BYTE *pixels, LONG width, LONG height, DWORD stride)
{
    int phase = 0;
    for (LONG row = 0; row < height; ++row) {
        BYTE *line = pixels + static_cast<SIZE_T>(row) * stride;
        for (LONG x = phase; x < width; x += 2) {
            BYTE *pixel = line + 3 * x;
            pixel[0] = pixel[1] = pixel[2] = 0;
        }
        phase ^= 1;
    }
}

void DrawTitle(HWND window, HBITMAP bitmap)
{
    HDC windowDc = GetDC(window);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    HPALETTE oldPalette = nullptr;
    if (BackdropPalette)
        oldPalette = SelectPalette(memoryDc, BackdropPalette, FALSE);
    HGDIOBJ oldBitmap = SelectObject(memoryDc, bitmap);
    HGDIOBJ oldFont = SelectObject(memoryDc, TitleFont);
    SetBkMode(memoryDc, TRANSPARENT);

    const int length = static_cast<int>(strlen(kTitle));
    SetTextColor(memoryDc, RGB(32, 0, 64));
    TextOutA(memoryDc, ScaleToScreen(10), ScaleToScreen(10), kTitle, length);
    SetTextColor(memoryDc, PALETTERGB(64, 160, 255));
    TextOutA(memoryDc, ScaleToScreen(13), ScaleToScreen(13), kTitle, length);

    if (oldFont)
        SelectObject(memoryDc, oldFont);
    if (oldPalette)
        SelectPalette(memoryDc, oldPalette, FALSE);
    if (oldBitmap)
        SelectObject(memoryDc, oldBitmap);
    DeleteDC(memoryDc);
    ReleaseDC(window, windowDc);
}

} // namespace

HFONT MakeFont(int weight, int width, int height, int charSet, const char *faceName)
{
    LOGFONTA font;
    memset(&font, 0, sizeof font);
    font.lfHeight = height;
    font.lfWidth = width;
    font.lfWeight = weight;
    font.lfCharSet = static_cast<BYTE>(charSet);
    font.lfOutPrecision = OUT_STROKE_PRECIS;
    font.lfClipPrecision = CLIP_STROKE_PRECIS;
    font.lfQuality = DRAFT_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    if (faceName)
        lstrcpynA(font.lfFaceName, faceName, LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

HPALETTE MakeBackdropPalette(const RGBQUAD *colourTable)
{
    const SIZE_T bytes = sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!block)
        return nullptr;
    auto *palette = static_cast<LOGPALETTE *>(GlobalLock(block));
    HPALETTE result = nullptr;
    if (palette) {
        palette->palVersion = 0x300;
        palette->palNumEntries = 256;
        for (int i = 0; i < 256; ++i) {
            palette->palPalEntry[i].peRed = colourTable[i].rgbRed;
            palette->palPalEntry[i].peGreen = colourTable[i].rgbGreen;
            palette->palPalEntry[i].peBlue = colourTable[i].rgbBlue;
            palette->palPalEntry[i].peFlags = PC_NOCOLLAPSE;
        }
        result = CreatePalette(palette);
        GlobalUnlock(block);
    }
    GlobalFree(block);
    return result;
}

HBITMAP BuildBackdrop(HWND window)
{
    HDC displayDc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (!displayDc)
        return nullptr; // nothing to capture: the class background shows instead
    HDC memoryDc = CreateCompatibleDC(displayDc);
    HBITMAP bitmap = CreateCompatibleBitmap(displayDc, ScreenWidth, ScreenHeight);
    if (!memoryDc || !bitmap) {
        if (bitmap)
            DeleteObject(bitmap);
        if (memoryDc)
            DeleteDC(memoryDc);
        DeleteDC(displayDc);
        return nullptr;
    }
    HGDIOBJ previous = SelectObject(memoryDc, bitmap);
    BitBlt(memoryDc, 0, 0, ScreenWidth, ScreenHeight, displayDc, 0, 0, SRCCOPY);
    SelectObject(memoryDc, previous);

    // Without the header block or the pixel buffer the plain capture stays:
    // an undimmed backdrop is still a backdrop.
    BackdropHeader = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kHeaderBytes);
    auto *info = BackdropHeader ? static_cast<BITMAPINFO *>(GlobalLock(BackdropHeader)) : nullptr;
    if (info) {
        BITMAP description;
        memset(&description, 0, sizeof description);
        GetObjectA(bitmap, sizeof description, &description);
        BITMAPINFOHEADER &header = info->bmiHeader;
        header.biSize = sizeof(BITMAPINFOHEADER);
        header.biWidth = description.bmWidth;
        header.biHeight = description.bmHeight;
        header.biPlanes = 1;
        header.biBitCount = ScreenBitsPerPixel > 8 ? 24 : 8;
        header.biCompression = BI_RGB;
        const DWORD rowBytes = ((static_cast<DWORD>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
        header.biSizeImage = rowBytes * static_cast<DWORD>(header.biHeight);
        header.biXPelsPerMeter = 0;
        header.biYPelsPerMeter = 0;
        header.biClrUsed = 256;
        header.biClrImportant = 0;
        GetDIBits(displayDc, bitmap, 0, header.biHeight, nullptr, info, DIB_RGB_COLORS);

        BackdropPixels = header.biHeight > 0
                             ? VirtualAlloc(nullptr, header.biSizeImage + 3, MEM_COMMIT, PAGE_READWRITE)
                             : nullptr;
        if (BackdropPixels &&
            GetDIBits(displayDc, bitmap, 0, header.biHeight, BackdropPixels, info, DIB_RGB_COLORS)) {
            if (header.biBitCount == 24)
                DimCheckerboard(static_cast<BYTE *>(BackdropPixels), header.biWidth, header.biHeight,
                                header.biSizeImage / static_cast<DWORD>(header.biHeight));
            else
                BackdropPalette = MakeBackdropPalette(info->bmiColors);
            SetDIBits(displayDc, bitmap, 0, header.biHeight, BackdropPixels, info, DIB_RGB_COLORS);
        }
        GlobalUnlock(BackdropHeader);
    }
    DeleteDC(displayDc);
    DeleteDC(memoryDc);

    DrawTitle(window, bitmap);
    return bitmap;
}

int PaintBackdrop(HDC dc)
{
    HDC memoryDc = CreateCompatibleDC(dc);
    HPALETTE oldPalette = nullptr;
    HPALETTE oldMemoryPalette = nullptr;
    if (BackdropPalette) {
        oldPalette = SelectPalette(dc, BackdropPalette, FALSE);
        RealizePalette(dc);
        oldMemoryPalette = SelectPalette(memoryDc, BackdropPalette, FALSE);
    }
    HGDIOBJ oldBitmap = SelectObject(memoryDc, BackdropBitmap);
    SetStretchBltMode(dc, COLORONCOLOR);
    BitBlt(dc, 0, 0, ScreenWidth, ScreenHeight, memoryDc, 0, 0, SRCCOPY);
    if (oldPalette)
        SelectPalette(dc, oldPalette, FALSE);
    if (oldMemoryPalette)
        SelectPalette(memoryDc, oldMemoryPalette, FALSE);
    if (oldBitmap)
        SelectObject(memoryDc, oldBitmap);
    DeleteDC(memoryDc);
    return 0;
}

int OnBackdropPaint(HWND window, UINT, WPARAM, LPARAM)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (BackdropBitmap)
        PaintBackdrop(dc);
    EndPaint(window, &paint);
    return 0;
}
