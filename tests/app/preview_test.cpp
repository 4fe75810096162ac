// The machining preview in the running program: paths drawn over the door
// in the view, the estimated time in the status bar.
#include "AppFixture.h"
#include "PixelRegions.h"
#include "SampleModels.h"

#include <app/CommandIds.h>
#include <app/MachiningOverlay.h>
#include <app/ModelPanes.h>
#include <app/VarnholtView.h>
#include <kernel/GK_Placement.h>
#include <library/KnifeFile.h>

#include <QAction>
#include <QPainter>
#include <QStatusBar>
#include <QTest>

#include <cmath>
#include <numbers>

namespace {

int pixelsNear(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (const QRect& r : pixelsOf(image, colour))
        count += r.width() * r.height();
    return count;
}

class Preview : public AppFixture {
protected:
    void SetUp() override
    {
        makeFolders();
        SampleModels::writeLibrary(libraryFolder());
        SampleModels::writeMachiningTools(libraryFolder());
        f = start();
        f->resize(1000, 700);
        view = f->activeView();
    }
    void doubleClick(CModelPane* pane, void* model) { emit pane->grid().leftButtonDoubleClicked(model); }
    QImage shot() const { return view->grab().toImage(); }

    CMainFrame* f = nullptr;
    CVarnholtView* view = nullptr;
};

TEST_F(Preview, DrawsThePathsOverTheDoorAndShowsTheTime)
{
    QAction* preview = f->action(ID_MACHINING_PREVIEW);
    ASSERT_TRUE(preview->isCheckable());
    const QColor firstTool = MachiningOverlay::toolColor(0);
    const QColor secondTool = MachiningOverlay::toolColor(1);

    doubleClick(f->doorPane(), f->library().models().doors[0]);
    EXPECT_EQ(pixelsNear(shot(), firstTool), 0);
    preview->trigger();
    EXPECT_GT(view->machiningPreview().pathCount(), 0u);
    EXPECT_TRUE(f->statusBar()->currentMessage().contains(QStringLiteral("预计加工时间")))
        << f->statusBar()->currentMessage().toStdString();
    const QImage withPaths = shot();
    EXPECT_GT(pixelsNear(withPaths, firstTool), 10) << "the hinge holes' tool";
    EXPECT_GT(pixelsNear(withPaths, secondTool), 10) << "the side head's tool";

    // A hinge shown alone hides the door, and the paths with it.
    doubleClick(f->hingesPane(), f->library().models().hinges[0]);
    EXPECT_EQ(pixelsNear(shot(), firstTool), 0);
    f->action(ID_SHOW_DOOR)->trigger();
    EXPECT_GT(pixelsNear(shot(), firstTool), 10);

    // A door without hardware has nothing to preview.
    doubleClick(f->doorPane(), f->library().models().doors[1]);
    EXPECT_EQ(view->machiningPreview().pathCount(), 0u);

    doubleClick(f->doorPane(), f->library().models().doors[0]);
    EXPECT_GT(view->machiningPreview().pathCount(), 0u);
    preview->trigger();
    EXPECT_EQ(view->machiningPreview().pathCount(), 0u);
    EXPECT_EQ(pixelsNear(shot(), firstTool), 0);
}

// The picture is the contract: a legend in the corner names both tools,
// the side head's cuts lie in the lock edge's view beside the leaf and
// nowhere around it, and the status bar names the hole under the mouse.
TEST_F(Preview, LegendEdgeViewAndTheFeatureUnderTheMouse)
{
    const GK_DoorWithHinges& door = *f->library().models().doors[0];
    doubleClick(f->doorPane(), f->library().models().doors[0]);
    f->action(ID_MACHINING_PREVIEW)->trigger();
    const QImage picture = shot();
    const QTransform toWindow = view->operation().render().transform().toQTransform();
    const QColor hingeTool = MachiningOverlay::toolColor(0);
    const QColor sideTool = MachiningOverlay::toolColor(1);

    const QRect legend = view->machiningPreview().legendArea(view->font()).toAlignedRect();
    ASSERT_FALSE(legend.isEmpty());
    EXPECT_GT(pixelsNear(picture.copy(legend), hingeTool), 20) << "the first tool's sample";
    EXPECT_GT(pixelsNear(picture.copy(legend), sideTool), 20) << "the side head's sample";

    // Seen from above the leaf is the door's rectangle; its lock edge (the
    // bottom one, as the hinges sit at the top) has its view below it.
    const QRect leaf = toWindow.mapRect(QRectF(0, 0, 2100, 900)).toAlignedRect();
    ASSERT_TRUE(view->machiningPreview().edgeView().has_value());
    const QRect edge = toWindow.mapRect(*view->machiningPreview().edgeView()).toAlignedRect();
    EXPECT_GT(edge.top(), leaf.bottom()) << "beside the leaf, not over it";
    EXPECT_TRUE(view->rect().contains(edge)) << "fitted into the window with the leaf";
    const QRegion sideCuts = pixelsOf(picture, sideTool) - QRegion(legend);
    EXPECT_FALSE(sideCuts.isEmpty());
    EXPECT_TRUE((sideCuts - QRegion(edge.adjusted(-2, -2, 2, 2))).isEmpty())
        << "side head work drawn outside the edge view, at " << (sideCuts - QRegion(edge)).boundingRect().x() << ","
        << (sideCuts - QRegion(edge)).boundingRect().y();
    EXPECT_GT(pixelsNear(picture.copy(leaf), hingeTool), 20) << "the hinge holes, from above";

    // The first hinge's hole, where the placement the drawing uses puts it.
    const GK_DoorLayout layout = GK_LayOutDoor(door);
    ASSERT_TRUE(layout.hinges.at(0).has_value());
    const position hole = layout.hinges[0]->map(door.GetHingesModel()->GetListHole()[0]->get_cen());
    QTest::mouseMove(view, toWindow.map(QPointF(hole.x, hole.y)).toPoint());
    EXPECT_TRUE(f->statusBar()->currentMessage().startsWith(QStringLiteral("合页1孔1：刀具1，直径8.00")))
        << f->statusBar()->currentMessage().toStdString();
    QTest::mouseMove(view, QPoint(view->width() / 2, view->height() - 2));
    EXPECT_TRUE(f->statusBar()->currentMessage().startsWith(QStringLiteral("加工预览")))
        << "away from the cuts the bar says again what it said";
}

// Zoomed in on large arcs, the cut drawn keeps to its circle: every pixel it
// colours lies within about a pixel of it, where chords of a few degrees
// would stray by several.
TEST(PreviewArcs, ZoomedInArcsKeepToTheirCircles)
{
    struct Zoom {
        double radius, pixelsPerMm;
        bool ccw;
    };
    for (const Zoom z : {Zoom{400.0, 5.0, true}, Zoom{400.0, 20.0, false}, Zoom{60.0, 50.0, true},
                         Zoom{12.0, 300.0, false}, Zoom{400.0, 1e6, true}}) {
        SCOPED_TRACE(z.radius * z.pixelsPerMm);
        // Half a circle over its top, from the right end to the left.
        const double sweep = z.ccw ? std::numbers::pi : -std::numbers::pi;
        const Point2 from{z.ccw ? z.radius : -z.radius, 0.0};
        PreviewStroke cut;
        cut.points = {{from, {}, 0.0}, {{-from.x, 0.0}, {0.0, 0.0}, sweep}};
        MachiningPreview preview;
        preview.tools = {{1, 6.0, false}};
        preview.strokes = {cut};
        MachiningOverlay overlay;
        overlay.set(preview);

        // The circle's top in the picture's middle, y up as in the view.
        QImage picture(400, 300, QImage::Format_ARGB32);
        picture.fill(Qt::white);
        const QTransform toWindow(z.pixelsPerMm, 0.0, 0.0, -z.pixelsPerMm, 200.0, 150.0 + z.pixelsPerMm * z.radius);
        QPainter painter(&picture);
        overlay.paint(painter, toWindow);
        const QRect legend = overlay.legendArea(painter.font()).toAlignedRect().adjusted(-2, -2, 2, 2);
        painter.end();

        const QRegion drawn = pixelsOf(picture, MachiningOverlay::toolColor(0)) - QRegion(legend);
        int pixels = 0;
        double furthest = 0.0;
        for (const QRect& r : drawn)
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) {
                    const QPointF at = toWindow.inverted().map(QPointF(x + 0.5, y + 0.5));
                    furthest = std::max(furthest, std::abs(std::hypot(at.x(), at.y()) - z.radius) * z.pixelsPerMm);
                    ++pixels;
                }
        EXPECT_GT(pixels, 300);
        EXPECT_LT(furthest, 1.5) << "pixels from the circle";
    }
}

} // namespace
