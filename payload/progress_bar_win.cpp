#include "payload/progress_bar.h"

#include "common/text.h"

#include <cstring>

ProgressBar CopyProgress;

void ProgressBegin(HWND control, int totalSteps)
{
    memset(&CopyProgress, 0, sizeof CopyProgress);
    CopyProgress.control = control;
    RECT client = {};
    GetClientRect(control, &client);
    CopyProgress.doneRect = RECT{0, 0, 0, client.bottom};
    CopyProgress.restRect = RECT{0, 0, client.right, client.bottom};
    BeginProgressArithmetic(&CopyProgress.numbers, client.right, totalSteps);
    CopyProgress.dc = GetDC(control);
    CopyProgress.brushDone = CreateSolidBrush(RGB(0, 0, 255));
    CopyProgress.brushRest = CreateSolidBrush(RGB(0, 0, 0));
}

void ProgressStep()
{
    ProgressBar &bar = CopyProgress;
    if (StepProgressArithmetic(&bar.numbers)) {
        // The figure is also the control's window text, which a screen reader
        // reads. A black-rectangle static keeps no text of its own (under Wine
        // it drops it), so the default procedure stores it, and the static
        // neither hears of it nor repaints itself over the bar.
        char figure[kProgressTextChars + 2];
        FormatInto(figure, "%s %%", bar.numbers.text);
        DefWindowProcA(bar.control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(figure));
        if (bar.dc)
            GetTextExtentPoint32A(bar.dc, bar.numbers.text, static_cast<int>(strlen(bar.numbers.text)),
                                  &bar.textSize);
    }
    if (!bar.dc)
        return;
    const int width = bar.numbers.width;
    const int height = bar.doneRect.bottom;
    bar.doneRect.right = bar.numbers.filled;
    FillRect(bar.dc, &bar.doneRect, bar.brushDone);
    bar.restRect.left = bar.numbers.filled;
    FillRect(bar.dc, &bar.restRect, bar.brushRest);
    SetBkMode(bar.dc, TRANSPARENT);
    SetTextColor(bar.dc, RGB(255, 255, 255));
    TextOutA(bar.dc, width / 2 - bar.textSize.cx / 2, (height - bar.textSize.cy) / 2, bar.numbers.text,
             static_cast<int>(strlen(bar.numbers.text)));
}

void ProgressEnd()
{
    ProgressBar &bar = CopyProgress;
    if (bar.dc)
        ReleaseDC(bar.control, bar.dc);
    bar.dc = nullptr;
    if (bar.brushDone)
        DeleteObject(bar.brushDone);
    if (bar.brushRest)
        DeleteObject(bar.brushRest);
    bar.brushDone = bar.brushRest = nullptr;
    InvalidateRect(bar.control, nullptr, TRUE);
}
