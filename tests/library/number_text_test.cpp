#include <NumberText.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <gtest/gtest.h>

namespace {
struct RealFormat {
    double value;
    const char* text;
};

struct RealParse {
    const char* text;
    double value;
};

struct IntParse {
    const char* text;
    int value;
};
} // namespace

TEST(NumberText, FormatsRealsWithTwoDecimals)
{
    const RealFormat cases[] = {
        {18, "18.00"},       {-0.5, "-0.50"},  {12.3456, "12.35"},  {-0.004, "-0.00"},
        {250.5, "250.50"},   {0.005, "0.01"},  {1e7, "10000000.00"}, {-1234.567, "-1234.57"},
    };
    for (const RealFormat& c : cases)
        EXPECT_EQ(FormatReal(c.value), c.text) << c.value;
    EXPECT_EQ(FormatInt(-42), "-42");
    EXPECT_EQ(FormatInt(INT_MIN), "-2147483648");
}

TEST(NumberText, ParsesRealsLikeAtof)
{
    const RealParse cases[] = {
        {"3.5", 3.5},   {"  \t-2.25", -2.25}, {"1.5mm", 1.5}, {"abc", 0.0}, {"", 0.0},
        {"+4", 4.0},    {"1e2", 100.0},       {"1e", 1.0},    {"12.345678", 12.345678},
        {"1,5", 1.0},   {"\n7", 7.0},
    };
    for (const RealParse& c : cases)
        EXPECT_DOUBLE_EQ(ParseReal(c.text), c.value) << '"' << c.text << '"';
    EXPECT_TRUE(std::isinf(ParseReal("1e999")));
    EXPECT_TRUE(std::isinf(ParseReal("inf")));
    EXPECT_TRUE(std::isnan(ParseReal("nan")));
}

TEST(NumberText, ParsesIntegersLikeAtoi)
{
    const IntParse cases[] = {
        {"5", 5}, {" 1", 1}, {"abc", 0}, {"7x", 7}, {"1.9", 1}, {"-3", -3}, {"", 0},
        {"99999999999", INT_MAX}, {"-99999999999", INT_MIN},
    };
    for (const IntParse& c : cases)
        EXPECT_EQ(ParseInt(c.text), c.value) << '"' << c.text << '"';
}

// A user locale with a decimal comma must change neither the written nor the
// read form.
TEST(NumberText, IgnoresADecimalCommaLocale)
{
    const char* commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"};
    const char* chosen = nullptr;
    for (const char* name : commaLocales)
        if (std::setlocale(LC_ALL, name)) {
            chosen = name;
            break;
        }
    if (!chosen)
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    const std::string written = FormatReal(1.5);
    const double read = ParseReal("2.75");
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(written, "1.50");
    EXPECT_DOUBLE_EQ(read, 2.75);
}
