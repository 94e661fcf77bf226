// Stand-in for the Dunvo application in the sample payload. It shows what the
// setup left for the real application: the translations chosen for loading,
// as read from "avaldata.dat" in the program's own folder, each with its
// display name, file and font.
#include "options/catalogue.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

const char kClassName[] = "DunvoStandIn";
constexpr int kFontRecordBytes = 80; // LOGFONTA, em size, two ratios
constexpr int kListId = 100;

// One entry of the file: the catalogue row as the setup wrote it, then the font.
struct LoadedTranslation {
    ComponentEntry row;
    LOGFONTA font;
};

void AddLine(HWND list, const char *text)
{
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

bool ReadEntry(FILE *file, LoadedTranslation *entry)
{
    unsigned char font[kFontRecordBytes];
    if (fread(&entry->row, 1, sizeof entry->row, file) != sizeof entry->row ||
        fread(font, 1, sizeof font, file) != sizeof font)
        return false;
    memcpy(&entry->font, font, sizeof entry->font);
    // Terminate what the file may not have terminated.
    entry->row.FileName[sizeof entry->row.FileName - 1] = '\0';
    entry->row.DisplayName[sizeof entry->row.DisplayName - 1] = '\0';
    entry->font.lfFaceName[LF_FACESIZE - 1] = '\0';
    return true;
}

void FillList(HWND list)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    char *slash = length > 0 && length < MAX_PATH ? strrchr(path, '\\') : nullptr;
    if (!slash || size_t(slash - path) + sizeof "\\avaldata.dat" > sizeof path) {
        AddLine(list, "The program's folder cannot be found.");
        return;
    }
    strcpy(slash, "\\avaldata.dat");
    FILE *file = fopen(path, "rb");
    if (!file) {
        AddLine(list, "avaldata.dat is missing: no translation is chosen for loading.");
        return;
    }
    char line[700];
    int32_t count = -1;
    if (fread(&count, 1, sizeof count, file) != sizeof count || count < 0 || count > kTranslationRows) {
        AddLine(list, "avaldata.dat is damaged: no valid count.");
        fclose(file);
        return;
    }
    snprintf(line, sizeof line, "%d translation(s) to load:", int(count));
    AddLine(list, line);
    for (int32_t i = 0; i < count; ++i) {
        LoadedTranslation entry;
        if (!ReadEntry(file, &entry)) {
            AddLine(list, "avaldata.dat is damaged: it ends inside an entry.");
            break;
        }
        snprintf(line, sizeof line,
                 "%s  -  qtext\\%s  -  row %u  -  font \"%s\", height %ld, weight %ld, charset %u",
                 entry.row.DisplayName, entry.row.FileName, unsigned(entry.row.RowNumber),
                 entry.font.lfFaceName, long(entry.font.lfHeight), long(entry.font.lfWeight),
                 unsigned(entry.font.lfCharSet));
        AddLine(list, line);
    }
    if (fgetc(file) != EOF)
        AddLine(list, "avaldata.dat is damaged: bytes follow the last entry.");
    fclose(file);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT, 0,
                                    0, 0, 0, window, reinterpret_cast<HMENU>(kListId), nullptr, nullptr);
        SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
        SendMessageA(list, LB_SETHORIZONTALEXTENT, 1600, 0);
        FillList(list);
        return 0;
    }
    case WM_SIZE:
        MoveWindow(GetDlgItem(window, kListId), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass))
        return 1;
    HWND window =
        CreateWindowExA(0, kClassName, "Dunvo (sample application)", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 720, 360, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, show);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
