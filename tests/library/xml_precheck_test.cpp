// The pre-check must read a text exactly as the parser does: where it counts
// less than the parser builds, a file could crash the program (nesting) or
// stall it (attributes, nodes).
#include <library/XmlPrecheck.h>
#include <tests/support/ParsedXmlCounts.h>

#include <clocale>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {
constexpr XmlCounts kNoLimits{.depth = 1000, .attributes = 1 << 30, .nodes = std::size_t(1) << 40};

// Random texts of pieces that sit where the parser's reading turns: name
// bytes, quotes, character references that run on to a distant ";",
// comments, sections, declarations, unknown nodes, repeated attribute names.
std::string randomText(std::mt19937& random, int& nameCount)
{
    static const char* const pieces[] = {
        "<a", "<b", "<\x7F", "<\xB0", "<_", "< c", "<1", ">", "/>", "/", "</a>", "</b>", "</\x7F>", "</a",
        " ", "\n", "\t", "=", "'", "\"", "x", "1", "&#", "&#x", ";", "#1;", "x1;", "&amp;", "&lt;", "&",
        "<!--", "-->", "<![CDATA[", "]]>", "<!", "<!DOCTYPE", "<?", "?>", "<?xml", "<?XML", " version=",
        " encoding=", "<", "<a>", "<b x='1'>", "</a>", "<a/>", " r=1", " r='1'",
    };
    static const char* const values[] = {"1", "'1'", "\"1\"", "'&#'#1;'", "\"<a>\"", "'&amp;'", ""};
    std::uniform_int_distribution<int> length(1, 40);
    std::uniform_int_distribution<std::size_t> pick(0, 2 * std::size(pieces));
    std::string text = "<r>";
    for (int n = length(random); n > 0; --n) {
        const std::size_t i = pick(random);
        if (i < std::size(pieces))
            text += pieces[i];
        else // an attribute of a new name
            text += " n" + std::to_string(nameCount++) + "=" + values[i % std::size(values)];
    }
    return text;
}
} // namespace

// Three such tags in a row nest exactly as deep as the parser goes, for
// every byte after "<". Its name test for bytes below 127 asks the C
// library, so it is checked under the locale the program runs in as well.
TEST(XmlPrecheck, AgreesWithTheParserForEveryByteAfterTheOpeningBracket)
{
    const std::string previous = std::setlocale(LC_CTYPE, nullptr);
    for (const char* locale : {"C", "C.UTF-8", ""}) {
        if (!std::setlocale(LC_CTYPE, locale))
            continue;
        for (int byte = 0; byte < 256; ++byte) {
            std::string tags;
            for (int i = 0; i < 3; ++i)
                tags += std::string{'<', static_cast<char>(byte), '>'};
            EXPECT_EQ(CountXml(tags, kNoLimits).depth, parsed_xml::counts(tags).depth) << locale << " byte " << byte;
        }
    }
    std::setlocale(LC_CTYPE, previous.c_str());
}

TEST(XmlPrecheck, AgreesWithTheParserOnRandomTexts)
{
    std::mt19937 random(20240611);
    int nameCount = 0;
    int withAttributes = 0; // the texts must reach past the first attribute
    int nested = 0;         // and past the first levels
    for (int i = 0; i < 20000; ++i) {
        const std::string text = randomText(random, nameCount);
        const XmlCounts counted = CountXml(text, kNoLimits);
        const XmlCounts built = parsed_xml::counts(text);
        ASSERT_EQ(counted.depth, built.depth) << text;
        // The parser drops the attribute it fails on, and blank texts.
        ASSERT_GE(counted.attributes, built.attributes) << text;
        ASSERT_LE(counted.attributes, built.attributes + 1) << text;
        ASSERT_GE(counted.nodes, built.nodes) << text;
        if (counted.attributes > 1)
            ++withAttributes;
        if (counted.depth > 2)
            ++nested;
    }
    EXPECT_GT(withAttributes, 2000);
    EXPECT_GT(nested, 2000);
}

// Texts that an earlier, looser count let through to the parser.
TEST(XmlPrecheck, CountsWhatHidesFromALooserReading)
{
    struct Case {
        const char* name;
        std::string unit;
        int depthPerUnit;
    };
    const Case cases[] = {
        // 0x7F starts a name.
        {"delete byte", "<\x7F>", 1},
        // A character reference runs to the next ";" and swallows the end tag.
        {"reference over an end tag", "<a>&#</a>#1;", 1},
        {"hex reference over an end tag", "<a>&#x</a>x1;", 1},
        // ... or the quote that ends a value, so the next tag is inside it.
        {"reference over a quote", "<a x=\"&#\"#1;\">", 1},
        // An unknown node ends at the first ">", quotes or not.
        {"unknown node with a quote", "<!x \"><a>", 1},
        {"processing instruction with a quote", "<?x '?><a>", 1},
        {"comment-like unknown", "<!-x><a>", 1},
    };
    for (const Case& c : cases) {
        std::string text;
        for (int i = 0; i < 10; ++i)
            text += c.unit;
        EXPECT_EQ(CountXml(text, kNoLimits).depth, 10 * c.depthPerUnit) << c.name;
        EXPECT_EQ(CountXml(text, kNoLimits).depth, parsed_xml::counts(text).depth) << c.name;
    }
}

TEST(XmlPrecheck, StopsOnceALimitIsPassed)
{
    std::string attributes = "<M";
    for (int i = 0; i < 100000; ++i)
        attributes += " a" + std::to_string(i) + "=\"1\"";
    attributes += "/>";
    const XmlCounts limits{.depth = 32, .attributes = 64, .nodes = 1000};
    EXPECT_EQ(CountXml(attributes, limits).attributes, 65);
    EXPECT_FALSE(XmlWithin(CountXml(attributes, limits), limits));

    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    EXPECT_EQ(CountXml(deep, limits).depth, 33);

    std::string flat = "<M>";
    for (int i = 0; i < 100000; ++i)
        flat += "<a/>";
    EXPECT_EQ(CountXml(flat, limits).nodes, 1001u);
    EXPECT_TRUE(XmlWithin(CountXml("<M a=\"1\"><a/></M>", limits), limits));
}
