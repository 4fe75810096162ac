// The drawing and the panes beside it: at the first start every pane shows
// all its columns, beside a drawing of at least half the window where the
// columns leave that; a narrow window or a widened pane leaves the drawing
// its room, the panes give way.
#include "AppFixture.h"
#include "SampleModels.h"

#include <app/ModelPanes.h>
#include <app/VarnholtView.h>

#include <QApplication>
#include <QScrollBar>

namespace {

using Layout = AppFixture;

QList<CModelPane*> panesOf(CMainFrame* f)
{
    return {f->hingesPane(), f->lockCorePane(), f->doorPane()};
}

// How wide the white of the empty drawing is in the window's picture, along
// the row through the view's middle.
int drawingWidthInPicture(CMainFrame* f)
{
    QApplication::processEvents();
    const QImage picture = f->grab().toImage();
    const QPoint middle = f->activeView()->mapTo(f, f->activeView()->rect().center());
    const auto white = [&](int x) { return picture.pixel(x, middle.y()) == qRgb(255, 255, 255); };
    if (!white(middle.x()))
        return 0;
    int left = middle.x(), right = middle.x();
    while (left > 0 && white(left - 1))
        --left;
    while (right + 1 < picture.width() && white(right + 1))
        ++right;
    return right - left + 1;
}

// Short texts leave the drawing more than half the window; the samples'
// long comments take more, and the drawing keeps at least its least width.
TEST_F(Layout, AtTheFirstStartEveryColumnShowsWholeBesideTheDrawing)
{
    for (const bool samples : {false, true}) {
        makeFolders();
        if (samples)
            copySampleLibrary();
        else
            SampleModels::writeLibrary(libraryFolder());
        CMainFrame* f = start();
        ASSERT_EQ(f->size(), QSize(1120, 720));
        const int drawing = drawingWidthInPicture(f);
        EXPECT_GE(drawing, samples ? CVarnholtView::kMinimumSize.width() : f->width() / 2) << samples;
        for (CModelPane* pane : panesOf(f)) {
            const CTreeGridCtrl& grid = pane->grid();
            EXPECT_LE(grid.TotalColumnWidth(), grid.viewport()->width()) << pane->objectName().toStdString();
            EXPECT_FALSE(grid.horizontalScrollBar()->isVisible()) << pane->objectName().toStdString();
        }
        stop();
        QSettings(AppSettings::organization(), AppSettings::application()).clear();
    }
}

TEST_F(Layout, ANarrowWindowAndADraggedSplitterLeaveTheDrawingItsRoom)
{
    copySampleLibrary();
    CMainFrame* f = start();
    const int minimum = CVarnholtView::kMinimumSize.width();
    const int doorPaneAtFirst = f->doorPane()->width();

    f->resize(640, 480);
    EXPECT_GE(drawingWidthInPicture(f), minimum);
    EXPECT_LT(f->doorPane()->width(), doorPaneAtFirst) << "the pane gives way";
    for (CModelPane* pane : panesOf(f))
        EXPECT_GT(pane->width(), 0) << pane->objectName().toStdString();

    // The panes widened far into the drawing, as dragging their splitters does.
    f->resize(1120, 720);
    f->resizeDocks({f->doorPane()}, {2000}, Qt::Horizontal);
    EXPECT_GE(drawingWidthInPicture(f), minimum);
    f->resizeDocks({f->hingesPane()}, {2000}, Qt::Horizontal);
    EXPECT_GE(drawingWidthInPicture(f), minimum);
}

} // namespace
