#include <library/XmlElements.h>

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
