// The full-screen main window and the page sequence it runs.
#pragma once
#include <windows.h>

#include <cstdint>

constexpr UINT CMD_RUN_PAGES = 4444;
constexpr UINT CMD_CLOSE = 300;

extern int ScreenWidth;
extern int ScreenHeight;
extern int ScreenBitsPerPixel;
extern HFONT TitleFont;
extern HBITMAP BackdropBitmap;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Keeps only the drive letter and colon of a root ("C:\" becomes "C:") so that
// "%s\%s" never doubles the backslash; anything of 4 or more characters stays.
void TrimRootDirectory(char *directory);

// Reads the current directory into SourceDir (500 characters at most; a longer
// one leaves it empty), by its short name when the code page cannot spell it,
// and trims a root.
void RecordSourceDir();

int RunPageSequence(HWND window, uint16_t id, uint32_t code, LPARAM control);
