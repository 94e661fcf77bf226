#include "payload/translation_list_win.h"

#include "common/app_window.h"
#include "common/install_settings.h"
#include "common/text.h"

static_assert(sizeof(LOGFONTA) == kLogFontBytes, "the font record starts with a LOGFONTA");
static_assert(offsetof(LOGFONTA, lfCharSet) == offsetof(TranslationFontRecord, CharSet), "layout");
static_assert(offsetof(LOGFONTA, lfFaceName) == offsetof(TranslationFontRecord, FaceName), "layout");

int CALLBACK FontFamilyCallback(const LOGFONTA *font, const TEXTMETRICA *metrics, DWORD, LPARAM)
{
    if (!IsWantedFontFace(font->lfFaceName))
        return 1;
    // For a family enumeration the metrics are the NEWTEXTMETRICA of the font.
    const NEWTEXTMETRICA *full = reinterpret_cast<const NEWTEXTMETRICA *>(metrics);
    TakeEnumeratedFont(font, full->ntmSizeEM, full->ntmAvgWidth, full->ntmCellHeight);
    return 0;
}

TranslationListResult WriteTranslationList(HWND page, void (*keepAlive)())
{
    HDC dc = GetDC(page);
    const int oldMode = SetMapMode(dc, MM_TEXT);
    ScreenPixelsPerInchY = GetDeviceCaps(dc, LOGPIXELSY);
    EnumFontFamiliesA(dc, FontFaceName, FontFamilyCallback, 0);
    SetMapMode(dc, oldMode);
    ReleaseDC(page, dc);

    char path[kPathChars];
    if (!FormatInto(path, "%s\\avaldata.dat", InstallDir)) {
        // Longer than any path the system could create.
        MessageBoxA(MainWindow, "Error creating used translation file.!!!", SetupName, MB_ICONERROR);
        return TranslationListResult::NotCreated;
    }
    return SaveTranslationList(path, MainWindow, keepAlive);
}
