#include "SampleModels.h"

#include <app/VarnholtView.h>

#include <QApplication>
#include <QNativeGestureEvent>
#include <QPointingDevice>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

// A drawable object that counts how often it was destroyed.
class CountedObject : public GK_Object {
public:
    explicit CountedObject(int& destroyed) : m_destroyed(destroyed) {}
    int type() const override { return GK_TYPE_HINGES; }
    void copy(GK_Object** out) const override { *out = new CountedObject(m_destroyed); }
    void destroy() override
    {
        ++m_destroyed;
        GK_Object::destroy();
    }

private:
    int& m_destroyed;
};

class View : public ::testing::Test {
protected:
    View()
    {
        view.resize(600, 400);
        view.show();
        auto hinge = SampleModels::hinge("H", 100, 30);
        GK_Operation& op = view.operation();
        GK_Object* copy = nullptr;
        hinge->copy(&copy);
        copy->prepare_display(op.render().display_context());
        op.drawing().list().add_tail(copy);
        api_gk_zoom_all(op);
    }

    double scale() { return view.operation().render().transform().scale(); }

    // Sends one wheel message; answers whether the view accepted it.
    bool wheel(int delta, QPointF at = QPointF(150, 100))
    {
        QWheelEvent event(at, view.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &event);
        return event.isAccepted();
    }

    CVarnholtView view;
};

TEST_F(View, EveryNotchOfAngleZoomsOneStep)
{
    struct Step {
        QList<int> deltas; // one wheel message each
        double factor;     // the zoom they make together
    };
    const Step steps[] = {
        {{120}, 1.2},
        {{-120}, 0.8},
        {{240}, 1.2 * 1.2},                  // two notches in one message
        {{15, 15, 15, 15, 15, 15, 15, 15}, 1.2}, // a fine wheel's eighths make one notch
        {{-40, -40, -40}, 0.8},
        {{60, 50}, 1.0},                     // short of a notch: nothing yet
        {{10}, 1.2},                         // the rest completes it
        {{100, -100}, 1.0},                  // turning back drops what was gathered,
        {{-20}, 0.8},                        // and the way back counts from there
    };
    for (const Step& step : steps) {
        const double before = scale();
        for (const int delta : step.deltas)
            wheel(delta);
        EXPECT_NEAR(scale() / before, step.factor, 1e-12) << ::testing::PrintToString(step.deltas);
    }
}

// A touchpad's pinch zooms by its own amount about its centre, the point
// there staying put; other native gestures are not the view's.
TEST_F(View, APinchZoomsAboutItsCentre)
{
    const QPointF centre(420, 77);
    const QPointF model = view.operation().render().transform().toModel(centre);
    const auto gesture = [&](Qt::NativeGestureType type, double value) {
        QNativeGestureEvent event(type, QPointingDevice::primaryPointingDevice(), 2, centre, centre,
                                  view.mapToGlobal(centre), value, QPointF());
        QApplication::sendEvent(&view, &event);
    };
    const double before = scale();
    gesture(Qt::ZoomNativeGesture, 0.25);
    EXPECT_NEAR(scale() / before, 1.25, 1e-12);
    const QPointF back = view.operation().render().transform().toWindow(model.x(), model.y());
    EXPECT_NEAR(back.x(), centre.x(), 1e-9);
    EXPECT_NEAR(back.y(), centre.y(), 1e-9);
    gesture(Qt::RotateNativeGesture, 30);
    EXPECT_NEAR(scale() / before, 1.25, 1e-12);
}

TEST_F(View, TheMiddleButtonDragsTheDrawing)
{
    const QPointF model = view.operation().render().transform().toModel(QPointF(200, 150));
    QTest::mousePress(&view, Qt::MiddleButton, {}, QPoint(200, 150));
    QMouseEvent move(QEvent::MouseMove, QPointF(260, 110), view.mapToGlobal(QPointF(260, 110)), Qt::NoButton,
                     Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &move);
    QTest::mouseRelease(&view, Qt::MiddleButton, {}, QPoint(260, 110));
    const QPointF moved = view.operation().render().transform().toWindow(model.x(), model.y());
    EXPECT_NEAR(moved.x(), 260, 1e-9);
    EXPECT_NEAR(moved.y(), 110, 1e-9);
}

TEST_F(View, ForwardThenBackIsNinetySixHundredths)
{
    const double before = scale();
    wheel(120);
    wheel(-120);
    EXPECT_NEAR(scale() / before, 0.96, 1e-12);
}

TEST_F(View, ThePointUnderTheCursorStaysPut)
{
    const QPointF cursor(420, 77);
    const QPointF model = view.operation().render().transform().toModel(cursor);
    wheel(120, cursor);
    const QPointF back = view.operation().render().transform().toWindow(model.x(), model.y());
    EXPECT_NEAR(back.x(), cursor.x(), 1e-9);
    EXPECT_NEAR(back.y(), cursor.y(), 1e-9);
}

TEST_F(View, ZeroDeltaChangesNothingAndIsPassedOn)
{
    const double before = scale();
    EXPECT_FALSE(wheel(0)) << "the default processing sees the message";
    EXPECT_DOUBLE_EQ(scale(), before);
    EXPECT_EQ(view.operation().m_zoomed, 0);
}

TEST_F(View, ResizeFitsAnewAndDiscardsTheZoom)
{
    const double fitted = scale();
    wheel(120);
    wheel(120);
    EXPECT_EQ(view.operation().m_zoomed, 1);
    view.resize(600, 401);
    view.resize(600, 400);
    EXPECT_DOUBLE_EQ(scale(), fitted);
    EXPECT_EQ(view.operation().m_zoomed, 0);
    view.resize(1200, 800);
    EXPECT_GT(scale(), fitted * 1.9) << "a larger window fits at a larger scale";
}

// The view owns what stands in its drawing: destroying the view frees every
// object once, though the drawing is closed twice on the way.
TEST_F(View, DestroyingTheViewFreesEachDrawnObjectOnce)
{
    int destroyed = 0;
    auto other = std::make_unique<CVarnholtView>();
    for (int i = 0; i < 2; ++i)
        other->operation().drawing().list().add_tail(new CountedObject(destroyed));
    EXPECT_EQ(destroyed, 0);
    other.reset();
    EXPECT_EQ(destroyed, 2);
}

TEST_F(View, PaintingShowsTheDrawingOnWhite)
{
    const QImage image = view.grab().toImage();
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::white));
    bool drawn = false;
    for (int y = 0; y < image.height() && !drawn; ++y)
        for (int x = 0; x < image.width() && !drawn; ++x)
            drawn = image.pixelColor(x, y) != QColor(Qt::white);
    EXPECT_TRUE(drawn);
}

} // namespace
