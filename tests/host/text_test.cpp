#include "common/text.h"

#include <gtest/gtest.h>

#include <string>

TEST(BoundedText, FormatTellsWhetherTheWholeTextFit)
{
    char buffer[8];
    EXPECT_TRUE(FormatInto(buffer, "%s\\%s", "C:", "abc"));
    EXPECT_STREQ(buffer, "C:\\abc");
    // Seven characters and the terminator fill the buffer exactly.
    EXPECT_TRUE(FormatInto(buffer, "%s", "1234567"));
    EXPECT_STREQ(buffer, "1234567");
    // One more does not fit: nothing half-cut is left behind.
    EXPECT_FALSE(FormatInto(buffer, "%s", "12345678"));
    EXPECT_STREQ(buffer, "");
}

TEST(BoundedText, CopyRefusesATextThatDoesNotFit)
{
    char buffer[4];
    EXPECT_TRUE(CopyInto(buffer, "abc"));
    EXPECT_STREQ(buffer, "abc");
    EXPECT_FALSE(CopyInto(buffer, "abcd"));
    EXPECT_STREQ(buffer, "");
    EXPECT_FALSE(CopyText(buffer, 0, "")); // no room even for the terminator
}
