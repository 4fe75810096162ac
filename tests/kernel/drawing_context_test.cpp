#include <kernel/GK_BackColor.h>
#include <kernel/GK_Factories.h>
#include <kernel/GK_Operation.h>
#include <kernel/GK_Window.h>

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

namespace {

// An object that counts how often it was destroyed.
class CountedObject : public GK_Object {
public:
    explicit CountedObject(int& destroyed) : m_destroyed(destroyed) {}
    int type() const override { return 1; }
    void copy(GK_Object** out) const override { *out = new CountedObject(m_destroyed); }
    void destroy() override
    {
        ++m_destroyed;
        GK_Object::destroy();
    }

private:
    int& m_destroyed;
};

class FakeWindow : public GK_Window {
public:
    QSize size{400, 300};
    int repaints = 0;
    QSize clientSize() const override { return size; }
    void requestRepaint() override { ++repaints; }
};

GU_Pt_List rectangle(double x, double y, double w, double h)
{
    return GU_Pt_List{{x, y, 0}, {x + w, y, 0}, {x + w, y + h, 0}, {x, y + h, 0}};
}

class DrawingContext : public ::testing::Test {
protected:
    DrawingContext() { op.init(&window, "drawing", 0.0, 0); }

    GK_Hinges* addHinge(double x, double y, double w, double h)
    {
        auto hinge = api_gk_make_hinges(rectangle(x, y, w, h));
        hinge->prepare_display(op.render().display_context());
        GK_Hinges* raw = hinge.release();
        op.drawing().list().add_tail(raw);
        return raw;
    }

    QImage paint()
    {
        QImage image(window.size, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        op.render().draw(&painter, op.drawing());
        return image;
    }

    FakeWindow window;
    GK_Operation op;
};

TEST_F(DrawingContext, ListKeepsOrderAndDestroysOnce)
{
    int destroyed = 0;
    auto* a = new CountedObject(destroyed);
    auto* b = new CountedObject(destroyed);
    auto* c = new CountedObject(destroyed);
    GK_Object_List& list = op.drawing().list();
    EXPECT_TRUE(list.add_tail(a));
    EXPECT_TRUE(list.add_tail(b));
    EXPECT_TRUE(list.add_tail(c));
    EXPECT_FALSE(list.add_tail(b)) << "an object already in the chain is refused";
    EXPECT_FALSE(list.add_tail(c));
    EXPECT_FALSE(list.add_tail(nullptr));
    EXPECT_EQ(list.count(), 3u);

    EXPECT_TRUE(op.delete_object(b));
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(list.first(), a);
    EXPECT_EQ(a->next, c);

    EXPECT_TRUE(op.delete_object(c));
    int foreignDestroyed = 0;
    CountedObject foreign(foreignDestroyed);
    EXPECT_FALSE(op.delete_object(&foreign));
    EXPECT_EQ(foreignDestroyed, 0);
    EXPECT_TRUE(list.add_tail(new CountedObject(destroyed))) << "the tail pointer followed the deletion";

    op.close_drawing();
    EXPECT_EQ(destroyed, 4);
    EXPECT_EQ(list.first(), nullptr);
    op.close_drawing();
    EXPECT_EQ(destroyed, 4);
}

TEST_F(DrawingContext, PrepareDisplayBuildsTheShapeOnceAndDeletionDropsIt)
{
    GK_Hinges* hinge = addHinge(0, 0, 40, 20);
    EXPECT_TRUE(op.render().shapes().contains(hinge));
    op.delete_object(hinge);
    EXPECT_FALSE(op.render().shapes().contains(hinge));
}

TEST_F(DrawingContext, ZoomAllFitsOnlyVisibleObjects)
{
    addHinge(0, 0, 100, 50);
    GK_Hinges* far = addHinge(10000, 10000, 10, 10);
    far->visible = 0;
    api_gk_zoom_all(op);
    const GK_ViewTransform& t = op.render().transform();
    EXPECT_DOUBLE_EQ(t.scale(), (400 - 2 * GK_Draw_Render::kDefaultFitMargin) / 100);
    const QPointF origin = t.toWindow(0, 0);
    EXPECT_DOUBLE_EQ(origin.x(), GK_Draw_Render::kDefaultFitMargin);
}

TEST_F(DrawingContext, ZoomAllOnAnEmptyDrawingCentresTheOrigin)
{
    api_gk_zoom_all(op);
    EXPECT_EQ(op.render().transform().toWindow(0, 0), QPointF(200, 150));
    EXPECT_DOUBLE_EQ(op.render().transform().scale(), 1.0);
}

TEST_F(DrawingContext, ScaleViewMarksTheZoomAndRepaintsOnRequest)
{
    api_gk_zoom_all(op);
    EXPECT_EQ(op.m_zoomed, 0);
    op.render().scale_view(1.2, 10, 10);
    EXPECT_EQ(op.m_zoomed, 1);
    op.render().redraw_all();
    op.render().invalidate();
    EXPECT_EQ(window.repaints, 2);
}

TEST_F(DrawingContext, PaintsTheBackgroundAndSkipsHiddenObjects)
{
    g_back_color = 0x00FFFFFF;
    GK_Hinges* hinge = addHinge(0, 0, 100, 50);
    hinge->AddHoleToList(api_gk_make_circle_hole({50, 25, 0}, 20, 5).release());
    op.render().shapes().prepare(*hinge);
    api_gk_zoom_all(op);

    const QImage shown = paint();
    EXPECT_EQ(shown.pixel(1, 1), qRgb(255, 255, 255));
    bool redHole = false;
    bool darkOutline = false;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QColor c = shown.pixelColor(x, y);
            redHole |= c.red() > 150 && c.green() < 100 && c.blue() < 100;
            darkOutline |= c.blue() - c.red() > 40 && c.blue() - c.green() > 20;
        }
    EXPECT_TRUE(redHole) << "holes paint in their own colour";
    EXPECT_TRUE(darkOutline);

    hinge->visible = 0;
    const QImage hidden = paint();
    for (int y = 0; y < hidden.height(); ++y)
        for (int x = 0; x < hidden.width(); ++x)
            ASSERT_EQ(hidden.pixel(x, y), qRgb(255, 255, 255));
}

TEST_F(DrawingContext, WildCoordinatesNeitherCrashNorStall)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    auto wild = api_gk_make_hinges(
        GU_Pt_List{{nan, 0, 0}, {0, inf, 0}, {-1e300, 1e300, 0}, {0, 0, 0}, {1e8, 0, 0}, {1e8, 1e8, 0}});
    wild->AddHoleToList(api_gk_make_circle_hole({nan, 0, 0}, 5, 1).release());
    wild->AddHoleToList(api_gk_make_circle_hole({0, 0, 0}, inf, 1).release());
    wild->AddHoleToList(api_gk_make_circle_hole({1, 1, 0}, 1e300, 1).release());
    op.drawing().list().add_tail(wild.release());
    addHinge(0, 0, 1e-3, 1e-3);

    const auto start = std::chrono::steady_clock::now();
    api_gk_zoom_all(op);
    paint();
    for (int i = 0; i < 200; ++i)
        op.render().scale_view(1.2, 0, 0);
    paint();
    for (int i = 0; i < 400; ++i)
        op.render().scale_view(0.8, 399, 299);
    paint();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count(), 10);
    const GK_ViewTransform& t = op.render().transform();
    EXPECT_TRUE(std::isfinite(t.scale()) && std::isfinite(t.tx()) && std::isfinite(t.ty()));
}

} // namespace
