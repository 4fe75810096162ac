// The machining preview in the running program: paths drawn over the door
// in the view, the estimated time in the status bar.
#include "AppFixture.h"
#include "SampleModels.h"

#include <app/CommandIds.h>
#include <app/MachiningOverlay.h>
#include <app/ModelPanes.h>
#include <app/VarnholtView.h>
#include <library/KnifeFile.h>

#include <QAction>
#include <QStatusBar>

namespace {

// Pixels of the view in the colour's hue: thin lines are smoothed into the
// white background, which keeps the hue and pales the colour.
int pixelsNear(const QImage& image, const QColor& colour)
{
    constexpr int kHueTolerance = 12;
    constexpr int kMinSaturation = 50;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int dh = std::abs(c.hue() - colour.hue());
            if (c.saturation() >= kMinSaturation && std::min(dh, 360 - dh) <= kHueTolerance)
                ++count;
        }
    return count;
}

class Preview : public AppFixture {
protected:
    void SetUp() override
    {
        makeFolders();
        SampleModels::writeLibrary();
        SampleModels::writeMachiningTools();
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

} // namespace
