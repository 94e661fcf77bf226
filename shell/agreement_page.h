// The licence agreement page, and the picture that it and the later pages paint.
#pragma once
#include <windows.h>

// The picture behind the agreement, copy and shortcut pages. Loaded by the
// agreement page, which always comes first; never freed.
struct PageBitmapInfo {
    HBITMAP handle;
    BITMAP description;
};
extern PageBitmapInfo PageBitmap;

// WM_PAINT row of the agreement, copy and shortcut pages.
int PagePainter(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
