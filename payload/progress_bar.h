// The copy page's progress bar, drawn straight onto the black rectangle of
// the page with a device context kept for the whole copy. The numbers come
// from payload/progress.h.
#pragma once
#include <windows.h>

#include "payload/progress.h"

struct ProgressBar {
    HWND control;
    HDC dc;
    HBRUSH brushDone; // blue, the part already copied
    HBRUSH brushRest; // black, the rest
    RECT doneRect;
    RECT restRect;
    SIZE textSize;
    ProgressArithmetic numbers;
};
extern ProgressBar CopyProgress;

void ProgressBegin(HWND control, int totalSteps);
void ProgressStep();
// Gives back the device context and brushes; the control repaints itself as
// its plain black rectangle.
void ProgressEnd();
