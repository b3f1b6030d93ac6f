#include "model/Numbers.h"

#include <gtest/gtest.h>

using namespace numbers;

TEST(Numbers, LeadingNumberReadsTheLongestLeadingDecimal) {
    const std::pair<const char*, double> cases[] = {
        {"", 0},     {"abc", 0},  {"  12abc", 12}, {" 1", 1},     {"2.5", 2.5}, {"-3 dots", -3},
        {"+4", 4},   {".5", 0.5}, {"7.", 7},       {"1e2x", 100}, {"1e", 1},    {"3-2", 3},
        {"\t 9", 9}, {"- 3", 0},  {"1,5", 1},      {"١٢", 0},     {"1e999", 0},
    };
    for (auto [text, expected] : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(QString::fromUtf8(text)), expected) << text;
}

TEST(Numbers, SixteenBitRoundingIsHalfToEvenWithDefinedOverflow) {
    const std::pair<double, int> cases[] = {{2.5, 2},  {3.5, 4},         {-2.5, -2},
                                            {0.49, 0}, {32767.4, 32767}, {-32768, -32768}};
    for (auto [value, expected] : cases)
        EXPECT_EQ(toInt16(value).value(), expected) << value;
    EXPECT_FALSE(toInt16(32767.5).has_value());
    EXPECT_FALSE(toInt16(-40000).has_value());
    EXPECT_FALSE(toInt16(std::numeric_limits<double>::quiet_NaN()).has_value());
    EXPECT_EQ(toInt16Clamped(1e9), 32767);
    EXPECT_EQ(toInt16Clamped(-1e9), -32768);
    EXPECT_EQ(leadingInt16(" 4.5 points"), 4);
}

TEST(Numbers, PlainTextHasNoExponentOrTrailingZeros) {
    const std::pair<double, const char*> cases[] = {{3, "3"},    {2.5, "2.5"},      {-0.25, "-0.25"}, {0, "0"},
                                                    {-0.0, "0"}, {1e7, "10000000"}, {3.5 - 1, "2.5"}};
    for (auto [value, expected] : cases)
        EXPECT_EQ(plainText(value), QString::fromLatin1(expected)) << value;
}
