#include "runtime/convert.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(TextToInt32, ReadsSignAndDigitsUpToTheFirstOtherCharacter) {
    struct Case {
        const char* text;
        std::int32_t expected;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"2096", 2096},
        {"  \t 42", 42},
        {"+7", 7},
        {"-1048576", -1048576},
        {"12abc", 12},
        {"1 2", 1},
        {"- 5", 0},
        {"2147483647", 2147483647},
        {"2147483648", INT32_MIN},  // wraps modulo 2^32
        {"4293918720", -1048576},   // an unsigned adapter memory read as signed
        {"4294967296", 0},
        {"-2147483648", INT32_MIN},
        {"99999999999999999999", 1661992959},
    };
    for (const Case& c : cases) EXPECT_EQ(TextToInt32(c.text), c.expected) << '"' << c.text << '"';
}

TEST(RealToText, PrintsTheShortestFormWithinThirteenDigits) {
    struct Case {
        double value;
        const char* expected;
    } cases[] = {
        {0.0, "0"},
        {12.0, "12"},
        {-3.0, "-3"},
        {37.0, "37"},
        {1.5, "1.5"},
        {0.1, "0.1"},
        {1.0 / 3.0, "0.3333333333333"},
        {123456789012.0, "123456789012"},
    };
    for (const Case& c : cases) EXPECT_EQ(RealToText(c.value), c.expected) << c.value;
}

TEST(TruncateToInt32, TruncatesTowardZero) {
    EXPECT_EQ(TruncateToInt32(2.9), 2);
    EXPECT_EQ(TruncateToInt32(-2.9), -2);
    EXPECT_EQ(TruncateToInt32(0.999999), 0);
    EXPECT_EQ(TruncateToInt32(4294967295.0), -1);  // low 32 bits
}
