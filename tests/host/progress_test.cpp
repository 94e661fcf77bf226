#include "payload/progress.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// Whole pixels, a point, then the four fractional digits.
std::string Digits(const int (&digits)[kProgressDigits])
{
    std::string text = std::to_string(digits[0]) + ".";
    for (int digit = 1; digit < kProgressDigits; ++digit)
        text += std::to_string(digits[digit]);
    return text;
}

struct CompleteRun {
    std::vector<int> filled;        // after each call
    std::vector<std::string> shown; // the text after each call
    int textChanges = 0;
};

CompleteRun Complete(int width, int total)
{
    ProgressArithmetic progress;
    BeginProgressArithmetic(&progress, width, total);
    CompleteRun run;
    for (int call = 0; call < total + 1; ++call) {
        run.textChanges += StepProgressArithmetic(&progress) ? 1 : 0;
        run.filled.push_back(progress.filled);
        run.shown.push_back(progress.text);
    }
    return run;
}

TEST(ProgressArithmetic, DividesTheWidthToFourDecimals)
{
    struct Case {
        int width, total;
        const char *increment; // digit 0 then four decimals, truncated
    } cases[] = {
        // W / total = 9.31914..., 2.7375 exactly, 33.333..., 0.63829... (under a pixel a step),
        // 10 exactly (digit 0 may hold more than 9), 0.00625
        {438, 47, "9.3191"}, {438, 160, "2.7375"}, {100, 3, "33.3333"},
        {30, 47, "0.6382"},  {470, 47, "10.0000"}, {1, 160, "0.0062"},
    };
    for (const Case &c : cases) {
        ProgressArithmetic progress;
        BeginProgressArithmetic(&progress, c.width, c.total);
        EXPECT_EQ(Digits(progress.increment), c.increment) << c.width << " / " << c.total;
        EXPECT_EQ(Digits(progress.accumulator), "0.0000");
        EXPECT_EQ(progress.stepCounter, 1);
        EXPECT_EQ(progress.filled, 0);
        EXPECT_STREQ(progress.text, "");
    }
}

TEST(ProgressArithmetic, FirstStepMovesByTheCarryOnlyAndLaterStepsByTheWholePart)
{
    ProgressArithmetic progress;
    BeginProgressArithmetic(&progress, 438, 47); // 9.3191 per step
    StepProgressArithmetic(&progress);
    EXPECT_EQ(progress.filled, 0);
    EXPECT_EQ(Digits(progress.accumulator), "9.3191");
    StepProgressArithmetic(&progress);
    EXPECT_EQ(progress.filled, 9);
    EXPECT_EQ(Digits(progress.accumulator), "9.6382");
    StepProgressArithmetic(&progress);
    EXPECT_EQ(progress.filled, 18);
    StepProgressArithmetic(&progress);
    // 0.9573 + 0.3191 carries a pixel: this step moves 10.
    EXPECT_EQ(progress.filled, 28);

    // Under a pixel per step: the bar moves one pixel at each carry.
    BeginProgressArithmetic(&progress, 30, 47); // 0.6382
    StepProgressArithmetic(&progress);
    EXPECT_EQ(progress.filled, 0);
    StepProgressArithmetic(&progress);
    EXPECT_EQ(progress.filled, 1);
    StepProgressArithmetic(&progress);
    EXPECT_EQ(progress.filled, 1);
}

// Over the widths a page can have and every total the copy can ask for
// (47 files plus up to 113 recitations), and a little beyond.
TEST(ProgressArithmetic, BarNeverPassesTheWidthAndIsFullAtTheEnd)
{
    for (int total = 1; total <= 170; ++total)
        for (int width = 0; width <= 900; width += (width < 40 ? 1 : 11)) {
            ProgressArithmetic progress;
            BeginProgressArithmetic(&progress, width, total);
            int previous = 0;
            for (int call = 0; call < total + 1; ++call) {
                StepProgressArithmetic(&progress);
                ASSERT_GE(progress.filled, previous) << width << " / " << total << " call " << call;
                ASSERT_LE(progress.filled, width) << width << " / " << total << " call " << call;
                previous = progress.filled;
            }
            ASSERT_EQ(progress.filled, width) << width << " / " << total;
        }
}

TEST(ProgressArithmetic, OneMoreCallThanStepsFillsTheBarWhereTheFractionFallsShort)
{
    // 451 / 150 = 3.00666..., cut to 3.0066: 150 moves of 3 make 450, and 151
    // calls carry only 0.9966 of a pixel more.
    const CompleteRun run = Complete(451, 150);
    EXPECT_EQ(run.filled[149], 447); // the first call moved nothing
    EXPECT_EQ(run.filled[150], 451); // the last call of a complete run
}

TEST(ProgressArithmetic, PercentageRules)
{
    // 47 steps: the first call shows 2 (1 * 100 / 47), 100 from the next-to-last call on.
    CompleteRun run = Complete(438, 47);
    EXPECT_EQ(run.shown[0], "2");
    EXPECT_EQ(run.shown[45], "97");
    EXPECT_EQ(run.shown[46], "100");
    EXPECT_EQ(run.shown[47], "100");

    // More than 100 steps: the first percentage is 0, equal to the start, so
    // nothing is shown until it reaches 1.
    run = Complete(438, 160);
    EXPECT_EQ(run.shown[0], "");
    EXPECT_EQ(run.shown[1], "1"); // 2 * 100 / 160
    EXPECT_EQ(run.shown[159], "100");
    // The text changes once per new percentage: 1 to 100.
    EXPECT_EQ(run.textChanges, 100);

    // Past totalSteps neither the percentage nor the counter moves.
    ProgressArithmetic progress;
    BeginProgressArithmetic(&progress, 100, 2);
    EXPECT_TRUE(StepProgressArithmetic(&progress));  // 50
    EXPECT_TRUE(StepProgressArithmetic(&progress));  // 100
    EXPECT_FALSE(StepProgressArithmetic(&progress)); // the extra call
    EXPECT_FALSE(StepProgressArithmetic(&progress));
    EXPECT_EQ(progress.stepCounter, 3);
    EXPECT_STREQ(progress.text, "100");
}

TEST(ProgressArithmetic, NoStepsDividesNothing)
{
    ProgressArithmetic progress;
    BeginProgressArithmetic(&progress, 438, 0);
    EXPECT_EQ(Digits(progress.increment), "0.0000");
    EXPECT_FALSE(StepProgressArithmetic(&progress));
    EXPECT_EQ(progress.filled, 438);
}

} // namespace
