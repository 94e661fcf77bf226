// The dimmed picture of the screen that the main window shows behind the pages.
#pragma once
#include <windows.h>

extern HPALETTE BackdropPalette;
extern HGLOBAL BackdropHeader;
extern void *BackdropPixels;

HFONT MakeFont(int weight, int width, int height, int charSet, const char *faceName);

// Captures the screen, dims it above 8 bits per pixel, writes the title and
// returns the finished bitmap; null when the display cannot be captured.
HBITMAP BuildBackdrop(HWND window);

int PaintBackdrop(HDC dc);

// WM_PAINT row of the main window.
int OnBackdropPaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The 256-entry palette of an 8-bit capture, one entry per colour-table entry.
HPALETTE MakeBackdropPalette(const RGBQUAD *colourTable);
