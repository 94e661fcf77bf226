#include "payload/progress.h"

#include <cstring>

#include "common/text.h"

void BeginProgressArithmetic(ProgressArithmetic *progress, int width, int totalSteps)
{
    memset(progress, 0, sizeof *progress);
    progress->width = width;
    progress->totalSteps = totalSteps;
    progress->stepCounter = 1;
    if (totalSteps < 1)
        return;
    int remainder = width;
    for (int digit = 0; digit < kProgressDigits; ++digit) {
        progress->increment[digit] = remainder / totalSteps;
        remainder = 10 * (remainder % totalSteps);
    }
}

bool StepProgressArithmetic(ProgressArithmetic *progress)
{
    int *increment = progress->increment;
    int *accumulator = progress->accumulator;
    // The (totalSteps + 1)-th call ends a complete run.
    const bool lastCall = progress->stepCounter > progress->totalSteps;

    for (int digit = kProgressDigits - 1; digit >= 1; --digit) {
        accumulator[digit] += increment[digit];
        if (accumulator[digit] >= 10) {
            accumulator[digit - 1] += 1;
            accumulator[digit] -= 10;
        }
    }

    int &filled = progress->filled;
    if (increment[0] == 0) {
        if (accumulator[0] > 0) {
            filled = filled >= progress->width ? progress->width : filled + 1;
            accumulator[0] -= 1;
        }
    } else {
        while (accumulator[0] != 0) {
            if (filled >= progress->width) {
                filled = progress->width;
                break;
            }
            filled += 1;
            accumulator[0] -= 1;
        }
        accumulator[0] = increment[0];
    }
    // The fraction is cut after four digits, so with more than about a
    // hundred steps the carries can fall one pixel short of the end.
    if (lastCall)
        filled = progress->width;

    bool textChanged = false;
    if (progress->stepCounter <= progress->totalSteps) {
        const int percent = progress->stepCounter * 100 / progress->totalSteps;
        if (percent != progress->lastShownPercent) {
            progress->lastShownPercent = percent;
            FormatInto(progress->text, "%d", percent);
            textChanged = true;
        }
        progress->stepCounter += 1;
    }
    return textChanged;
}
