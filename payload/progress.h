// The copy page's progress bar, as numbers: how many pixels of the bar are
// filled and which percentage it shows after each step. Portable: no
// <windows.h>; payload/progress_bar_win.cpp draws what this computes.
//
// Integer arithmetic only: the pixels per step are a decimal fixed-point
// number with four fractional digits, so the bar moves by whole pixels and
// carries the fraction from step to step.
#pragma once

constexpr int kProgressDigits = 5; // digit 0 whole pixels, digits 1-4 the fraction
constexpr int kProgressTextChars = 16;

struct ProgressArithmetic {
    int width;  // W, the bar's client width in pixels
    int filled; // F, the right edge of the filled part, 0 to W
    int totalSteps;
    int stepCounter;
    int lastShownPercent;
    int increment[kProgressDigits];
    int accumulator[kProgressDigits];
    char text[kProgressTextChars]; // the percentage in digits, empty until the first is shown
};

// Everything to zero, then W / total by long division truncated after four
// decimal places. A total below 1 gives an increment of 0 and no percentage.
void BeginProgressArithmetic(ProgressArithmetic *progress, int width, int totalSteps);

// One step: adds the fraction with its carries, advances the filled width and
// updates the percentage. Returns true when the percentage text changed.
//
// The whole-pixel part of the increment is loaded after the advance, so the
// first step moves only by its fractional carry. A complete run makes
// totalSteps + 1 calls; the last of them fills the bar to W.
bool StepProgressArithmetic(ProgressArithmetic *progress);
