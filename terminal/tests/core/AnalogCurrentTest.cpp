#include "AnalogOutput.h"
#include "LeadingNumber.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

TEST(AnalogCurrent, LineThroughFourAndTwentyMilliamperes)
{
    EXPECT_DOUBLE_EQ(AnalogOutputCurrent(0, 0, 20), 4.0);
    EXPECT_DOUBLE_EQ(AnalogOutputCurrent(20, 0, 20), 20.0);
    EXPECT_NEAR(AnalogOutputCurrent(12.345, 0, 20), 13.876, 1e-12);
    // A falling range: 4 mA at 20, 20 mA at 0.
    EXPECT_DOUBLE_EQ(AnalogOutputCurrent(5, 20, 0), 16.0);
}

TEST(AnalogCurrent, LimitedToTheGaugeRange)
{
    EXPECT_DOUBLE_EQ(AnalogOutputCurrent(-5, 0, 20), 3.0);
    EXPECT_DOUBLE_EQ(AnalogOutputCurrent(30, 0, 20), 21.0);
    EXPECT_DOUBLE_EQ(AnalogOutputCurrent(20.5, 0, 20), 20.4);
    EXPECT_DOUBLE_EQ(AnalogOutputCurrent(std::numeric_limits<double>::infinity(), 0, 20), 21.0);
    EXPECT_DOUBLE_EQ(LimitCurrent(std::nan("")), 3.0);
    EXPECT_DOUBLE_EQ(LimitCurrent(2.999), 3.0);
    EXPECT_DOUBLE_EQ(LimitCurrent(21.001), 21.0);
}

TEST(AnalogCurrent, EqualEndsGiveTheMinimum)
{
    EXPECT_DOUBLE_EQ(AnalogOutputCurrent(12, 5, 5), 3.0);
    EXPECT_DOUBLE_EQ(AnalogOutputCurrent(0, 0, 0), 3.0);
}

TEST(LeadingNumber, ReadsTheLeadingPartOnly)
{
    EXPECT_DOUBLE_EQ(LeadingNumber("+0012.345"), 12.345);
    EXPECT_DOUBLE_EQ(LeadingNumber(" -0001.250"), -1.25);
    EXPECT_DOUBLE_EQ(LeadingNumber("012.345xyz"), 12.345);
    EXPECT_DOUBLE_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("1.5e2m"), 150.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("2e"), 2.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("E02      "), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("- 5"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("inf"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("nan"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("0x10"), 0.0);
    EXPECT_EQ(LeadingNumber("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(LeadingNumber("1e-999"), 0.0);
}

TEST(LeadingNumber, IntegersSaturate)
{
    EXPECT_EQ(LeadingInteger("01500"), 1500);
    EXPECT_EQ(LeadingInteger(" -42abc"), -42);
    EXPECT_EQ(LeadingInteger("12.9"), 12);
    EXPECT_EQ(LeadingInteger("x1"), 0);
    EXPECT_EQ(LeadingInteger("99999999999999999999"), INT_MAX);
    EXPECT_EQ(LeadingInteger("-2147483648"), INT_MIN);
    EXPECT_EQ(LeadingInteger("-99999999999999999999"), INT_MIN);
}

} // namespace
