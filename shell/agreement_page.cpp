#include "shell/agreement_page.h"

#include "common/app_window.h"
#include "resources/resource.h"
#include "shell/dispatch.h"
#include "shell/pages.h"

PageBitmapInfo PageBitmap;

namespace {

int OnInitAgreement(HWND page, UINT, WPARAM, LPARAM)
{
    PageBitmap.handle = LoadBitmapA(AppInstance, "IDB_KAVRON");
    GetObjectA(PageBitmap.handle, sizeof PageBitmap.description, &PageBitmap.description);
    char text[7000];
    text[0] = '\0';
    LoadStringA(AppInstance, IDS_AGREEMENT_TEXT, text, sizeof text);
    SetDlgItemTextA(page, IDE_AGREEMENT_TEXT, text);
    SetFocus(GetDlgItem(page, IDOK));
    return 1;
}

int OnAgreementButton(HWND page, uint16_t id, uint32_t, LPARAM)
{
    if (id == IDOK) {
        EndDialog(page, 0);
    } else if (MessageBoxA(page, "Are you sure you want to cancel the setup?", "Dunvo - Setup",
                           MB_YESNO | MB_ICONQUESTION) == IDYES) {
        EndDialog(page, 1);
    }
    return 0;
}

const CommandEntry kAgreementCommands[] = {
    {IDOK, OnAgreementButton},
    {IDCANCEL, OnAgreementButton},
};
const CommandTable kAgreementCommandTable = MakeCommandTable(kAgreementCommands, DefaultNone);

const MessageEntry kAgreementMessages[] = {
    {WM_COMMAND, ForwardCommand<kAgreementCommandTable>},
    {WM_INITDIALOG, OnInitAgreement},
    {WM_PAINT, PagePainter},
};
const MessageTable kAgreementMessageTable = MakeMessageTable(kAgreementMessages, DefaultNone);

} // namespace

int PagePainter(HWND window, UINT, WPARAM, LPARAM)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HDC memoryDc = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memoryDc, PageBitmap.handle);
    const int width = PageBitmap.description.bmWidth, height = PageBitmap.description.bmHeight;
    RECT client;
    GetClientRect(window, &client);
    if (width > 0 && height > 0 && (client.right > width || client.bottom > height)) {
        // The page has grown past the picture (more dots per inch, or a larger
        // dialog font): the smallest enlargement that covers it both ways, cut
        // off at the right or the bottom as the picture is at its own size.
        int wide = client.right, high = MulDiv(height, client.right, width);
        if (high < client.bottom)
            high = client.bottom, wide = MulDiv(width, client.bottom, height);
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr); // as HALFTONE requires
        StretchBlt(dc, 0, 0, wide, high, memoryDc, 0, 0, width, height, SRCCOPY);
    } else {
        // A missing picture has a zero-sized description, so nothing is copied.
        BitBlt(dc, 0, 0, width, height, memoryDc, 0, 0, SRCCOPY);
    }
    if (previous)
        SelectObject(memoryDc, previous);
    DeleteDC(memoryDc);
    EndPaint(window, &paint);
    return 0;
}

int RunAgreementPage(HWND owner)
{
    return static_cast<int>(DialogBoxParamA(AppInstance, "IDD_AGREEMENT", owner, TableDialogProc<kAgreementMessageTable>, 0));
}
