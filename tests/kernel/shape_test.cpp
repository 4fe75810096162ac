#include <kernel/GK_Factories.h>
#include <kernel/GK_Shape.h>
#include <kernel/GK_ShapeThinning.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

GU_Pt_List rectangle(double x, double y, double w, double h)
{
    return GU_Pt_List{{x, y, 0}, {x + w, y, 0}, {x + w, y + h, 0}, {x, y + h, 0}};
}

bool inside(const QRectF& outer, const QRectF& inner)
{
    constexpr double eps = 1e-9;
    return inner.left() >= outer.left() - eps && inner.right() <= outer.right() + eps
           && inner.top() >= outer.top() - eps && inner.bottom() <= outer.bottom() + eps;
}

TEST(Shape, HingeIsItsClosedOutlineAndItsHoles)
{
    auto hinge = api_gk_make_hinges(rectangle(0, 0, 60, 30));
    hinge->AddHoleToList(api_gk_make_circle_hole({10, 15, 0}, 8, 3).release());
    hinge->AddHoleToList(api_gk_make_circle_hole({50, 15, 0}, 8, 3).release());
    const GK_Shape shape = GK_BuildShape(*hinge);
    ASSERT_EQ(shape.outlines.size(), 1u);
    EXPECT_EQ(shape.outlines[0].size(), 5) << "closed by repeating the first vertex";
    EXPECT_EQ(shape.outlines[0].first(), shape.outlines[0].last());
    ASSERT_EQ(shape.circles.size(), 2u);
    EXPECT_DOUBLE_EQ(shape.circles[0].radius, 4.0);
    EXPECT_EQ(shape.bounds(), QRectF(0, 0, 60, 30));
}

TEST(Shape, SkipsPointsThatCannotBeDrawn)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    auto hinge = api_gk_make_hinges(GU_Pt_List{{0, 0, 0}, {nan, 1, 0}, {1e12, 0, 0}, {10, 0, 0}, {10, 10, 0}});
    hinge->AddHoleToList(api_gk_make_circle_hole({nan, 0, 0}, 2, 1).release());
    hinge->AddHoleToList(api_gk_make_circle_hole({1, 1, 0}, 0, 1).release());
    const GK_Shape shape = GK_BuildShape(*hinge);
    ASSERT_EQ(shape.outlines.size(), 1u);
    EXPECT_EQ(shape.outlines[0].size(), 4);
    EXPECT_TRUE(shape.circles.empty());
    EXPECT_EQ(shape.bounds(), QRectF(0, 0, 10, 10));
}

TEST(Shape, LockCoreShowsTopAndSideFacesSideBySide)
{
    auto lock = api_gk_make_lockcore(rectangle(0, 0, 24, 200), rectangle(0, 0, 60, 180));
    lock->GetTopList().add_tail(api_gk_make_circle_hole({12, 100, 0}, 10, 5).release());
    lock->GetSideList().add_tail(api_gk_make_hole(rectangle(20, 20, 10, 10), 8).release());
    const GK_Shape shape = GK_BuildShape(*lock);
    ASSERT_EQ(shape.outlines.size(), 2u);
    const QRectF top = shape.outlines[0].boundingRect();
    const QRectF side = shape.outlines[1].boundingRect();
    EXPECT_GT(side.left(), top.right()) << "faces must not overlap";
    EXPECT_DOUBLE_EQ(side.top(), top.top());
    ASSERT_EQ(shape.holes.size(), 1u);
    EXPECT_TRUE(inside(side, shape.holes[0].boundingRect())) << "side holes move with their face";
    ASSERT_EQ(shape.circles.size(), 1u);
    EXPECT_TRUE(top.contains(shape.circles[0].centre));
}

struct DoorCase {
    const char* name;
    int hingesUp;
    bool hingesAtTop;
};

class DoorShape : public ::testing::TestWithParam<DoorCase> {};

TEST_P(DoorShape, PutsHingesOnTheirEdgeAndTheLockOnTheOther)
{
    std::shared_ptr<GK_Hinges> hinge = api_gk_make_hinges(rectangle(500, 500, 100, 20));
    hinge->AddHoleToList(api_gk_make_circle_hole({550, 510, 0}, 8, 3).release());
    std::shared_ptr<GK_LockCore> lock = api_gk_make_lockcore(rectangle(0, 0, 40, 24), rectangle(0, 0, 30, 30));
    auto door = api_gk_make_door_with_hinges("D", "", 2000, 900, 40);
    door->SetHingesModel(hinge);
    door->SetLockCoreModel(lock);
    door->SetHingesPos({200, 0, 0});
    door->SetHingesPos({1800, 0, 0});
    door->SetLockCorePos({1000, 0, 0});
    door->SetHingesUp(GetParam().hingesUp);

    const GK_Shape shape = GK_BuildShape(*door);
    ASSERT_EQ(shape.leaf.size(), 1u);
    EXPECT_EQ(shape.leaf[0].boundingRect(), QRectF(0, 0, 2000, 900));
    ASSERT_EQ(shape.outlines.size(), 3u); // two hinges, one lock core
    const double hingeEdge = GetParam().hingesAtTop ? 900 : 0;
    const double lockEdge = GetParam().hingesAtTop ? 0 : 900;
    for (int i = 0; i < 2; ++i) {
        const QRectF box = shape.outlines[i].boundingRect();
        EXPECT_DOUBLE_EQ(box.center().x(), i == 0 ? 200 : 1800);
        EXPECT_TRUE(box.top() == hingeEdge || box.bottom() == hingeEdge) << "hinge " << i;
        EXPECT_TRUE(inside(QRectF(0, 0, 2000, 900), box));
    }
    const QRectF lockBox = shape.outlines[2].boundingRect();
    EXPECT_DOUBLE_EQ(lockBox.center().x(), 1000);
    EXPECT_TRUE(lockBox.top() == lockEdge || lockBox.bottom() == lockEdge);
    ASSERT_EQ(shape.circles.size(), 2u);
    EXPECT_TRUE(shape.outlines[0].boundingRect().contains(shape.circles[0].centre));
}

INSTANTIATE_TEST_SUITE_P(Edges, DoorShape,
                         ::testing::Values(DoorCase{"HingesDown", 0, false}, DoorCase{"HingesUp", 1, true},
                                           DoorCase{"OtherFlagCountsAsDown", 7, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Shape, DoorTurnsTallPartsToLieAlongTheEdge)
{
    std::shared_ptr<GK_LockCore> lock = api_gk_make_lockcore(rectangle(0, 0, 24, 240), rectangle(0, 0, 70, 200));
    auto door = api_gk_make_door_with_hinges("D", "", 2000, 900, 40);
    door->SetLockCoreModel(lock);
    door->SetLockCorePos({1000, 0, 0});
    const GK_Shape shape = GK_BuildShape(*door);
    ASSERT_EQ(shape.outlines.size(), 1u);
    const QRectF body = shape.outlines[0].boundingRect();
    EXPECT_DOUBLE_EQ(body.width(), 200) << "the side face (the body) lies along the door";
    EXPECT_DOUBLE_EQ(body.height(), 70);
    EXPECT_DOUBLE_EQ(body.center().x(), 1000);
    EXPECT_DOUBLE_EQ(body.bottom(), 900) << "hinges down, so the lock sits at the top edge";
}

TEST(Shape, DoorWithoutModelsIsItsLeaf)
{
    auto door = api_gk_make_door_with_hinges("D", "", 2100, 900, 40);
    door->SetHingesPos({300, 0, 0});
    const GK_Shape shape = GK_BuildShape(*door);
    EXPECT_EQ(shape.leaf.size(), 1u);
    EXPECT_TRUE(shape.outlines.empty());
}

} // namespace

namespace {

double distanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

} // namespace

TEST(ShapeThinning, NoPointMovesByMoreThanTheTolerance)
{
    struct Case {
        const char* name;
        int vertices;
        double wave;      // amplitude of the wiggle, mm
        double tolerance; // mm
        bool shrinks;
    };
    const Case cases[] = {
        {"dense wavy circle at a far zoom", 100000, 3.0, 0.5, true},
        {"the same, zoomed in closely", 100000, 3.0, 1e-6, false},
        {"a short outline stays whole", 40, 3.0, 50.0, false},
        {"every vertex repeated", 2000, 0.0, 0.5, true},
    };
    for (const Case& c : cases) {
        QPolygonF line;
        for (int i = 0; i < c.vertices; ++i) {
            const double a = 2 * M_PI * (i / (c.wave > 0 ? 1 : 2)) / c.vertices;
            const double r = 50 + c.wave * std::sin(400 * a);
            line.append(QPointF(r * std::cos(a), r * std::sin(a)));
        }
        line.append(line.first());
        GK_Shape shape;
        shape.outlines.push_back(line);
        shape.circles.push_back({QPointF(1, 2), 3});
        const GK_Shape thin = GK_ThinShape(shape, c.tolerance);
        ASSERT_EQ(thin.outlines.size(), 1u) << c.name;
        const QPolygonF& kept = thin.outlines[0];
        EXPECT_EQ(kept.first(), line.first()) << c.name;
        EXPECT_EQ(kept.last(), line.last()) << c.name << ": a closed outline stays closed";
        EXPECT_EQ(kept.size() < line.size(), c.shrinks) << c.name;
        EXPECT_EQ(thin.circles.size(), 1u) << c.name;
        // Every vertex left out lies within the tolerance of the segments painted.
        qsizetype k = 0;
        for (const QPointF& p : line) {
            while (k + 1 < kept.size() && p == kept[k + 1])
                ++k;
            const double off = distanceToSegment(p, kept[k], kept[std::min(k + 1, kept.size() - 1)]);
            ASSERT_LE(off, c.tolerance * (1 + 1e-9)) << c.name;
        }
    }
}
