#include "TempLibrary.h"

#include <kernel/GK_Factories.h>
#include <library/HingesFile.h>
#include <library/NumberText.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    // Bit for bit what the C library reads, on the fast path for plain
    // decimals and off it.
    for (const char* text : {"0", "-0", "0.1", "2100.00", "-35.125", "123456789.123456789", "0.30000000000000004",
                             "1e-400", "4.9e-324", "-1e309", "0x1A", "0x1p3", "-0X10", "007.50", "1.5e+3mm", "5e",
                             "9007199254740993", "2.2250738585072011e-308"}) {
        const double fast = ParseReal(text);
        const double slow = std::strtod(text, nullptr);
        EXPECT_EQ(std::memcmp(&fast, &slow, sizeof fast), 0) << text;
    }
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

namespace {
// Makes a locale with a decimal comma available: an installed one, or one
// built into a scratch folder when the machine has the locale sources.
class CommaLocale {
public:
    CommaLocale()
    {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"})
            if (tryLocale(name))
                return;
        char folder[] = "/tmp/varnholt-locale-XXXXXX";
        if (!mkdtemp(folder))
            return;
        m_folder = folder;
        const std::string build = "localedef -i de_DE -f ISO-8859-1 " + m_folder + "/de_DE.ISO-8859-1 >/dev/null 2>&1";
        if (std::system(build.c_str()) == -1)
            return;
        setenv("LOCPATH", m_folder.c_str(), 1);
        tryLocale("de_DE.ISO-8859-1");
    }
    ~CommaLocale()
    {
        std::setlocale(LC_ALL, "C");
        if (!m_folder.empty()) {
            unsetenv("LOCPATH");
            std::filesystem::remove_all(m_folder);
        }
    }
    bool active() const { return m_active; }

private:
    bool tryLocale(const char* name)
    {
        char probe[16];
        m_active = std::setlocale(LC_ALL, name) && std::snprintf(probe, sizeof probe, "%.1f", 1.5) > 0 &&
                   std::string(probe) == "1,5";
        return m_active;
    }

    std::string m_folder;
    bool m_active = false;
};
} // namespace

// A user locale with a decimal comma must change neither the written nor the
// read form.
TEST(NumberText, IgnoresADecimalCommaLocale)
{
    TempLibrary lib;
    auto hinge = api_gk_make_hinges({{0, 0, 0}, {1.25, 0, 0}, {1, 1, 0}});
    hinge->SetName("H");
    hinge->SetThick(1.5);
    std::string written;
    std::unique_ptr<GK_Hinges> back;
    {
        const CommaLocale locale;
        if (!locale.active())
            GTEST_SKIP() << "no locale with a decimal comma can be had";
        EXPECT_EQ(FormatReal(1.5), "1.50");
        EXPECT_DOUBLE_EQ(ParseReal("2.75"), 2.75);
        ASSERT_TRUE(SaveHingesFile(hinge.get(), lib.context()));
        back = LoadHingesFile(lib.path("Hinges/H.xml")).model;
    }
    EXPECT_NE(lib.read("Hinges/H.xml").find("Thick=\"1.50\""), std::string::npos);
    ASSERT_TRUE(back);
    EXPECT_DOUBLE_EQ(back->GetThick(), 1.5);
    EXPECT_DOUBLE_EQ(back->GetLoopOut().vertex(1).x, 1.25);
}
