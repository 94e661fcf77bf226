#include "common/text.h"

#include <gtest/gtest.h>

// A text that does not fit, by even one character, leaves an empty string:
// a cut path must never pass for the whole one.
TEST(BoundedText, TellsWhetherTheWholeTextFit)
{
    char buffer[8];
    for (const char *text : {"1234567", "12345678"}) {
        const bool fits = strlen(text) < sizeof buffer;
        EXPECT_EQ(FormatInto(buffer, "%s", text), fits) << text;
        EXPECT_STREQ(buffer, fits ? text : "");
        EXPECT_EQ(CopyInto(buffer, text), fits) << text;
        EXPECT_STREQ(buffer, fits ? text : "");
    }
}
