#include <library/XmlElements.h>
#include <library/XmlNesting.h>

#include <algorithm>
#include <clocale>
#include <gtest/gtest.h>
#include <string>
#include <tinyxml.h>

namespace {
struct HoleCase {
    const char* name;
    const char* hole;
    int holes;       // holes read
    bool circle;     // kind of the first
};

// Reads the "Hole" children of a group element given as text.
std::size_t readGroup(const std::string& group, GU_OwnedList<GK_Hole>& holes, AttributeReader& numbers)
{
    TiXmlDocument document;
    document.Parse(group.c_str());
    ReadHoles(document.RootElement(), holes, numbers);
    return holes.count();
}

// Deepest chain of elements the parser built, also from text it refused.
int elementDepth(const TiXmlNode& node)
{
    int deepest = 0;
    for (const TiXmlNode* child = node.FirstChild(); child; child = child->NextSibling())
        deepest = std::max(deepest, elementDepth(*child));
    return deepest + (node.ToElement() ? 1 : 0);
}
} // namespace

TEST(XmlElements, HoleKindFollowsType)
{
    const char* square = "<Pos X=\"0\" Y=\"0\"/><Pos X=\"1\" Y=\"0\"/><Pos X=\"1\" Y=\"1\"/>";
    const HoleCase cases[] = {
        {"circle", "<Hole Type=\"1\" X=\"1\" Y=\"2\" Diameter=\"4\" Depth=\"-3\"/>", 1, true},
        {"leading blank", "<Hole Type=\" 1\"/>", 1, true},
        {"type 2", "<Hole Type=\"2\">%s</Hole>", 1, false},
        {"type abc", "<Hole Type=\"abc\">%s</Hole>", 1, false},
        {"no type", "<Hole X=\"1\" Y=\"2\" Diameter=\"4\"/>", 0, false},
        {"two vertices", "<Hole Type=\"0\"><Pos X=\"0\" Y=\"0\"/><Pos X=\"1\" Y=\"0\"/></Hole>", 0, false},
    };
    for (const HoleCase& c : cases) {
        std::string hole = c.hole;
        if (const std::size_t at = hole.find("%s"); at != std::string::npos)
            hole.replace(at, 2, square);
        GU_OwnedList<GK_Hole> holes;
        AttributeReader numbers;
        ASSERT_EQ(readGroup("<TopHoles>" + hole + "</TopHoles>", holes, numbers), std::size_t(c.holes)) << c.name;
        if (c.holes) {
            EXPECT_EQ(holes[0]->is_circle() != 0, c.circle) << c.name;
        }
    }
}

TEST(XmlElements, CircleHoleMissingValuesAreZero)
{
    GU_OwnedList<GK_Hole> holes;
    AttributeReader numbers;
    readGroup("<G><Hole Type=\"1\" X=\"5\" Depth=\"2\"/><Hole Type=\"1\" Diameter=\"3\"/></G>", holes, numbers);
    ASSERT_EQ(holes.count(), 2u);
    const auto* first = static_cast<const GK_Circle_Hole*>(holes[0]);
    EXPECT_EQ(first->get_cen(), (position{5, 0, 0}));
    EXPECT_DOUBLE_EQ(first->get_radius(), 0);
    const auto* second = static_cast<const GK_Circle_Hole*>(holes[1]);
    EXPECT_EQ(second->get_cen(), (position{0, 0, 0})); // fresh values for every Hole
    EXPECT_DOUBLE_EQ(second->get_z(), 0);
    EXPECT_TRUE(numbers.allFinite());

    GU_OwnedList<GK_Hole> none;
    ReadHoles(nullptr, none, numbers);
    EXPECT_TRUE(none.empty());
}

TEST(XmlElements, WritersSkipWhatHasNoShape)
{
    TiXmlElement parent("TopHoles");
    WriteCircleHole(nullptr, parent);
    WritePolygonHole(nullptr, parent);
    EXPECT_EQ(parent.FirstChildElement(), nullptr);
    WritePtList(GU_Loop(), parent);
    EXPECT_EQ(parent.FirstChildElement(), nullptr);
}

TEST(XmlNesting, CountsEveryPossibleOpening)
{
    const std::string flat = "<a><b x=\"1\"/><b/><c></c><!-- <d><d> --><![CDATA[<e><e>]]></a>";
    EXPECT_TRUE(NestingWithin(flat, 2));
    EXPECT_FALSE(NestingWithin("<a><b><c/></b></a>", 1));
    EXPECT_TRUE(NestingWithin("<a><b><c/></b></a>", 2));
    // A closing that sits inside a quoted value closes nothing.
    EXPECT_FALSE(NestingWithin("<a x=\"/>\"><a x='</a>'><a>", 2));
    // An opening inside a value counts, on the safe side.
    EXPECT_FALSE(NestingWithin("<r><a x=\"<b\"/></r>", 1));
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    EXPECT_FALSE(NestingWithin(deep, 256));
}

// The count must agree with the parser's name test for every byte after "<":
// three such tags in a row nest exactly as deep as the parser goes. Its test
// for bytes below 127 asks the C library, so it is checked under the locale
// the program runs in as well.
TEST(XmlNesting, AgreesWithTheParserForEveryByteAfterTheOpeningBracket)
{
    const std::string previous = std::setlocale(LC_CTYPE, nullptr);
    for (const char* locale : {"C", "C.UTF-8", ""}) {
        if (!std::setlocale(LC_CTYPE, locale))
            continue;
        for (int byte = 0; byte < 256; ++byte) {
            std::string tags;
            for (int i = 0; i < 3; ++i)
                tags += std::string{'<', static_cast<char>(byte), '>'};
            TiXmlDocument document;
            document.Parse(tags.c_str());
            const int depth = elementDepth(document);
            EXPECT_TRUE(NestingWithin(tags, depth)) << locale << " byte " << byte;
            if (depth > 0) {
                EXPECT_FALSE(NestingWithin(tags, depth - 1)) << locale << " byte " << byte;
            }
        }
    }
    std::setlocale(LC_CTYPE, previous.c_str());
}
