#include <kernel/GK_ViewTransform.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

GK_ViewTransform fitted(QSizeF viewport, QRectF box, double margin)
{
    GK_ViewTransform t;
    t.setViewport(viewport);
    t.fit(box, margin);
    return t;
}

struct ZoomCase {
    const char* name;
    double factor;
    double px, py;
};

class ZoomAboutPoint : public ::testing::TestWithParam<ZoomCase> {};

TEST_P(ZoomAboutPoint, KeepsTheModelPointUnderTheCursor)
{
    const ZoomCase& c = GetParam();
    GK_ViewTransform t = fitted({800, 600}, QRectF(0, 0, 2000, 900), 8);
    const QPointF before = t.toModel({c.px, c.py});
    const double scale = t.scale();
    t.zoomAbout(c.factor, c.px, c.py);
    EXPECT_DOUBLE_EQ(t.scale(), scale * c.factor);
    const QPointF back = t.toWindow(before.x(), before.y());
    EXPECT_NEAR(back.x(), c.px, 1e-9);
    EXPECT_NEAR(back.y(), c.py, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Factors, ZoomAboutPoint,
                         ::testing::Values(ZoomCase{"In", 1.2, 100, 50}, ZoomCase{"Out", 0.8, 700, 590},
                                           ZoomCase{"Corner", 1.2, 0, 0}, ZoomCase{"Outside", 0.8, -300, 2000}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ViewTransform, ForwardThenBackLeavesNinetySixHundredths)
{
    GK_ViewTransform t = fitted({640, 480}, QRectF(0, 0, 100, 100), 8);
    const double scale = t.scale();
    t.zoomAbout(1.2, 10, 10);
    t.zoomAbout(0.8, 10, 10);
    EXPECT_NEAR(t.scale() / scale, 0.96, 1e-12);
}

TEST(ViewTransform, FitCentresTheBoxAndKeepsTheMargin)
{
    const GK_ViewTransform t = fitted({816, 616}, QRectF(-100, 50, 400, 100), 8);
    EXPECT_DOUBLE_EQ(t.scale(), 2.0); // width limits: 800 / 400
    const QPointF lowLeft = t.toWindow(-100, 50);
    const QPointF highRight = t.toWindow(300, 150);
    EXPECT_DOUBLE_EQ(lowLeft.x(), 8.0);
    EXPECT_DOUBLE_EQ(highRight.x(), 808.0);
    // y grows upwards in the model, downwards in the window
    EXPECT_GT(lowLeft.y(), highRight.y());
    EXPECT_DOUBLE_EQ((lowLeft.y() + highRight.y()) / 2, 308.0);
}

struct FitCase {
    const char* name;
    QRectF box;
    double expectedScale;
};

class FitOddBoxes : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitOddBoxes, GivesAUsableTransform)
{
    const FitCase& c = GetParam();
    const GK_ViewTransform t = fitted({200, 100}, c.box, 0);
    EXPECT_DOUBLE_EQ(t.scale(), c.expectedScale);
    EXPECT_TRUE(std::isfinite(t.tx()));
    EXPECT_TRUE(std::isfinite(t.ty()));
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, FitOddBoxes,
    ::testing::Values(FitCase{"Point", QRectF(5, 5, 0, 0), 1.0}, FitCase{"VerticalLine", QRectF(0, 0, 0, 50), 2.0},
                      FitCase{"HorizontalLine", QRectF(0, 0, 50, 0), 4.0},
                      FitCase{"NotFinite", QRectF(kNaN, 0, 10, 10), 1.0},
                      FitCase{"Infinite", QRectF(0, 0, kInf, 10), 1.0},
                      FitCase{"Enormous", QRectF(-1e300, -1e300, 2e300, 2e300), GK_ViewTransform::kMinScale},
                      FitCase{"Tiny", QRectF(0, 0, 1e-300, 1e-300), GK_ViewTransform::kMaxScale}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ViewTransform, EndlessZoomStaysWithinItsRange)
{
    GK_ViewTransform t = fitted({640, 480}, QRectF(0, 0, 100, 100), 8);
    for (int i = 0; i < 10000; ++i)
        t.zoomAbout(1.2, 1e6, -1e6);
    EXPECT_DOUBLE_EQ(t.scale(), GK_ViewTransform::kMaxScale);
    EXPECT_LE(std::abs(t.tx()), GK_ViewTransform::kMaxTranslation);
    for (int i = 0; i < 20000; ++i)
        t.zoomAbout(0.8, 5, 5);
    EXPECT_DOUBLE_EQ(t.scale(), GK_ViewTransform::kMinScale);
    EXPECT_TRUE(std::isfinite(t.tx()) && std::isfinite(t.ty()));
}

TEST(ViewTransform, IgnoresFactorsThatAreNotPositiveAndFinite)
{
    GK_ViewTransform t = fitted({640, 480}, QRectF(0, 0, 100, 100), 8);
    const double scale = t.scale();
    for (double f : {0.0, -1.2, kNaN, kInf})
        t.zoomAbout(f, 10, 10);
    t.zoomAbout(1.2, kNaN, 10);
    EXPECT_DOUBLE_EQ(t.scale(), scale);
}

TEST(ViewTransform, QTransformAgreesWithTheMapping)
{
    GK_ViewTransform t = fitted({300, 200}, QRectF(10, 20, 30, 40), 5);
    t.zoomAbout(1.2, 33, 44);
    const QPointF direct = t.toWindow(17, 29);
    const QPointF viaQt = t.toQTransform().map(QPointF(17, 29));
    EXPECT_NEAR(direct.x(), viaQt.x(), 1e-9);
    EXPECT_NEAR(direct.y(), viaQt.y(), 1e-9);
}

} // namespace
