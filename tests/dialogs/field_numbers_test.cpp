#include <dialogs/FieldNumbers.h>
#include <dialogs/GbkQString.h>

#include <gtest/gtest.h>

#include <optional>

namespace {

struct DoubleCase {
    const char* name;
    const char* text;
    std::optional<double> expected;
};

class ReadFieldDoubleTest : public ::testing::TestWithParam<DoubleCase> {};

TEST_P(ReadFieldDoubleTest, ReadsOrRefuses)
{
    EXPECT_EQ(ReadFieldDouble(QString::fromUtf8(GetParam().text)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadFieldDoubleTest,
    ::testing::Values(DoubleCase{"plain", "6.5", 6.5}, DoubleCase{"blanksAndTabsAround", " \t 12.25\t ", 12.25},
                      DoubleCase{"negative", "-3", -3.0}, DoubleCase{"leadingPlus", "+4", 4.0},
                      DoubleCase{"exponent", "1e3", 1000.0}, DoubleCase{"leadingDot", ".5", 0.5},
                      DoubleCase{"empty", "", std::nullopt}, DoubleCase{"onlyBlanks", "  \t", std::nullopt},
                      DoubleCase{"letters", "abc", std::nullopt}, DoubleCase{"trailingText", "12mm", std::nullopt},
                      DoubleCase{"innerBlank", "1 2", std::nullopt}, DoubleCase{"comma", "1,5", std::nullopt},
                      DoubleCase{"twoSigns", "+-1", std::nullopt}, DoubleCase{"newlineAround", "1\n", std::nullopt},
                      DoubleCase{"infinity", "inf", std::nullopt}, DoubleCase{"notANumber", "nan", std::nullopt},
                      DoubleCase{"overflow", "1e999", std::nullopt},
                      DoubleCase{"fullWidthDigit", "\xEF\xBC\x91", std::nullopt}),
    [](const auto& info) { return info.param.name; });

TEST(ReadFieldWholeNumber, SignedAcceptsMinusUnsignedRefusesIt)
{
    EXPECT_EQ(ReadFieldInt(QStringLiteral("-3")), -3);
    EXPECT_EQ(ReadFieldInt(QStringLiteral(" 42\t")), 42);
    EXPECT_EQ(ReadFieldInt(QStringLiteral("4.0")), std::nullopt);
    EXPECT_EQ(ReadFieldInt(QStringLiteral("99999999999")), std::nullopt);
    EXPECT_EQ(ReadFieldUnsigned(QStringLiteral("-3")), std::nullopt);
    EXPECT_EQ(ReadFieldUnsigned(QStringLiteral("-0")), std::nullopt);
    EXPECT_EQ(ReadFieldUnsigned(QStringLiteral("+7")), 7u);
    EXPECT_EQ(ReadFieldUnsigned(QStringLiteral("")), std::nullopt);
}

TEST(ShowFieldDouble, ShowsShortestFormUpToFifteenDigits)
{
    EXPECT_EQ(ShowFieldDouble(0.0), "0");
    EXPECT_EQ(ShowFieldDouble(-0.0), "0");
    EXPECT_EQ(ShowFieldDouble(6.5), "6.5");
    EXPECT_EQ(ShowFieldDouble(2100.0), "2100");
    EXPECT_EQ(ShowFieldDouble(0.1), "0.1");
    EXPECT_EQ(ShowFieldDouble(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(ShowFieldDouble(1e20), "1e+20");
}

TEST(GbkQString, RoundTripsChineseAndRefusesWhatGbkLacks)
{
    const std::string gbk = "\xBA\xCF\xD2\xB3"; // 合页
    EXPECT_EQ(GbkToQString(gbk), QStringLiteral("合页"));
    EXPECT_EQ(QStringToGbk(QStringLiteral("合页")), gbk);
    EXPECT_EQ(QStringToGbk(QStringLiteral("A\U0001F600")), std::nullopt);
    EXPECT_EQ(QStringToGbk(QString()), std::string());
}

} // namespace
