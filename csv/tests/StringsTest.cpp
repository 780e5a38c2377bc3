#include "Strings.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>

TEST(GetNextCSV, AdjacentSeparatorsGiveAnEmptyField)
{
    const std::string text = "a;;b";
    int position = 0;
    EXPECT_EQ(GetNextCSV(text, ";", position), "a");
    EXPECT_EQ(GetNextCSV(text, ";", position), "");
    EXPECT_EQ(GetNextCSV(text, ";", position), "b");
    EXPECT_EQ(position, 4);
}

TEST(GetNextCSV, TrailingSeparatorAddsNoEmptyField)
{
    const std::string text = "a;b;";
    int position = 0;
    EXPECT_EQ(GetNextCSV(text, ";", position), "a");
    EXPECT_EQ(GetNextCSV(text, ";", position), "b");
    EXPECT_EQ(position, 4);
    EXPECT_EQ(position, static_cast<int>(text.size()));
}

TEST(GetNextCSV, SplitsOnlyAtTheWholeSeparator)
{
    const std::string text = "1;2;;3:;4";
    int position = 0;
    EXPECT_EQ(GetNextCSV(text, ";;", position), "1;2");
    EXPECT_EQ(GetNextCSV(text, ";;", position), "3:;4");
    EXPECT_EQ(position, static_cast<int>(text.size()));
    position = 0;
    EXPECT_EQ(GetNextCSV("x:;y;z", ":;", position), "x");
    EXPECT_EQ(GetNextCSV("x:;y;z", ":;", position), "y;z");
}

TEST(GetNextCSV, PositionAtOrPastTheEndGivesNothing)
{
    int position = 10;
    EXPECT_EQ(GetNextCSV("abc", ";", position), "");
    EXPECT_EQ(position, 3);
}

TEST(GetRemainingCSV, FromPositionOrWholeText)
{
    int position = 2;
    EXPECT_EQ(GetRemainingCSV("a;bc", position), "bc");
    position = -1;
    EXPECT_EQ(GetRemainingCSV("a;bc", position), "a;bc");
    position = 4;
    EXPECT_EQ(GetRemainingCSV("a;bc", position), "");
}

TEST(MoveToNextCSV, TakesTheFirstFieldOffTheText)
{
    std::string text = "12::34::56";
    EXPECT_EQ(MoveToNextCSV(text, "::"), "12");
    EXPECT_EQ(text, "34::56");
    EXPECT_EQ(MoveToNextCSV(text, "::"), "34");
    EXPECT_EQ(MoveToNextCSV(text, "::"), "56");
    EXPECT_EQ(text, "");
}

TEST(AtoV, EmptyTextIsNaN)
{
    EXPECT_TRUE(std::isnan(AtoV("", ",")));
    EXPECT_TRUE(std::isnan(AtoV(nullptr, ",")));
}

TEST(AtoV, DecimalTextPointAndInteger)
{
    EXPECT_DOUBLE_EQ(AtoV("1,5", ","), 1.5);
    EXPECT_DOUBLE_EQ(AtoV("-0,25", ","), -0.25);
    EXPECT_DOUBLE_EQ(AtoV("2.75", ","), 2.75);
    EXPECT_DOUBLE_EQ(AtoV("1e3", ","), 1.0); // no point: read as an integer
    EXPECT_DOUBLE_EQ(AtoV("1.5e3", "."), 1500.0);
    EXPECT_DOUBLE_EQ(AtoV("  42 mm", nullptr), 42.0);
    EXPECT_DOUBLE_EQ(AtoV("abc", ","), 0.0);
    // Every occurrence of the decimal text is a point; the number ends at the second one.
    EXPECT_DOUBLE_EQ(AtoV("1,234,5", ","), 1.234);
    EXPECT_DOUBLE_EQ(AtoV("3dp5", "dp"), 3.5);
}

TEST(AtoV, OutOfRangeNumbersAsTheCRuntimeReadsThem)
{
    EXPECT_TRUE(std::isinf(AtoV("1.0e999", ".")));
    EXPECT_DOUBLE_EQ(AtoV("1.0e-999", "."), 0.0);
}

TEST(ParseNumber, NumbersAndFieldsThatAreNone)
{
    const struct
    {
        const char* text;
        const char* decimal;
        double value;
    } numbers[] = {
        {"1,5", ",", 1.5},          {"2.25", ",", 2.25}, {" -3 ", ",", -3},
        {"+0012,345", ",", 12.345}, {"1e3", ".", 1000},  {"-2.5E-1", ".", -0.25},
        {".5", ".", 0.5},           {"7.", ".", 7},      {"1::5", "::", 1.5},
    };
    for (const auto& n : numbers) {
        double value = 0;
        EXPECT_TRUE(ParseNumber(n.text, n.decimal, value)) << n.text;
        EXPECT_DOUBLE_EQ(value, n.value) << n.text;
    }
    for (const char* none : {"", " ", "E02", "-", ".", "nan", "inf", "12 mm", "10:00:01",
                             "01.02.2024", "1,5,5", "2e", "Distance"}) {
        double value = 0;
        EXPECT_FALSE(ParseNumber(none, ",", value)) << none;
        EXPECT_TRUE(std::isnan(value)) << none;
    }
}

TEST(ParseNumber, PlainDecimalsToTheLastBitAsFromChars)
{
    // Up to 15 digits take the short way, more the long one: both must round as from_chars.
    for (const char* text :
         {"0", "-0", "12.3456", "-12.3456", "0.1", "0.000000000000001", "999999999999999",
          "99999999999999.9", "1234567890123456", "0.30000000000000004", "9007199254740993",
          "-123456.789012345678", "00000000000000000012.5"}) {
        double expected = 0;
        std::from_chars(text, text + std::strlen(text), expected);
        double value = 0;
        EXPECT_TRUE(ParseNumber(text, ".", value)) << text;
        EXPECT_EQ(value, expected) << text;
        EXPECT_EQ(std::signbit(value), std::signbit(expected)) << text;
    }
}

TEST(AtoI, LeadingIntegerSaturating)
{
    EXPECT_EQ(AtoI(" -42x"), -42);
    EXPECT_EQ(AtoI("+7"), 7);
    EXPECT_EQ(AtoI("x7"), 0);
    EXPECT_EQ(AtoI("99999999999999999999999"), INT64_MAX);
    EXPECT_EQ(AtoI("-99999999999999999999999"), INT64_MIN);
}

TEST(FormatString, LongTextsAreWhole)
{
    const std::string longText(1000, 'x');
    EXPECT_EQ(FormatString("%s|%d", longText.c_str(), 5), longText + "|5");
    EXPECT_EQ(FormatString("%.3lf", 2.5), "2.500");
}

TEST(ReplaceAll, ReplacementMayContainTheSearchedText)
{
    std::string text = "a.b.c";
    EXPECT_EQ(ReplaceAll(text, ".", ".."), 2);
    EXPECT_EQ(text, "a..b..c");
}
