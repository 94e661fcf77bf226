// The Win32 half of "avaldata.dat": the font check and the file's place.
#pragma once
#include <windows.h>

#include "payload/translation_list.h"

// Looks up the font family named by FontFaceName on the page's screen, then
// writes InstallDir\avaldata.dat. Failures are shown in a box owned by
// MainWindow; the copy page decides what a failed write means for it, and
// keeps itself painted with `keepAlive` while a held file is waited for.
TranslationListResult WriteTranslationList(HWND page, void (*keepAlive)());

// Given to EnumFontFamiliesA: takes the first font whose face is the one
// looked for (or, after a stranger, "Arial") and stops.
int CALLBACK FontFamilyCallback(const LOGFONTA *font, const TEXTMETRICA *metrics, DWORD fontType,
                                LPARAM value);
