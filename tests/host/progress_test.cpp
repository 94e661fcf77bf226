// The progress bar's numbers against a closed form of the same rule: the
// pixels per step are W / total cut after four decimals; the first call moves
// only by the carry of its fraction, each later one by the whole part too;
// the call after the last step fills the bar; the percentage is step * 100 /
// total, shown when it changes.
#include "payload/progress.h"

#include <gtest/gtest.h>

#include <string>

TEST(ProgressArithmetic, FollowsTheRuleForEveryWidthAndTotal)
{
    // The widths a page can have and every total the copy can ask for
    // (47 files plus up to 113 recitations), and a little beyond.
    for (int total = 0; total <= 170; ++total)
        for (int width = 0; width <= 900; width += (width < 40 ? 1 : 11)) {
            const int64_t increment = total ? int64_t(width) * 10000 / total : 0; // in 1/10000 pixel
            ProgressArithmetic progress;
            BeginProgressArithmetic(&progress, width, total);
            std::string shown;
            for (int64_t call = 1; call <= total + 1; ++call) {
                const bool changed = StepProgressArithmetic(&progress);
                const int64_t filled =
                    call > total ? width
                                 : (call - 1) * (increment / 10000) + call * (increment % 10000) / 10000;
                ASSERT_EQ(progress.filled, filled) << width << " / " << total << " call " << call;
                const std::string percent = call > total ? shown : std::to_string(call * 100 / total);
                ASSERT_EQ(changed, percent != shown && percent != "0") << width << " / " << total;
                shown = changed ? percent : shown;
                ASSERT_EQ(progress.text, shown) << width << " / " << total << " call " << call;
            }
        }
}
