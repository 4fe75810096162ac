// The first start of a new user on a 1400 x 900 screen with the sample library
// and a door displayed, as the user sees it, checked region by region: no pane
// covers the view, which has half the window, and the door is fitted into it.
// The renderings are kept under the build folder for people to look at.
#include "AppFixture.h"

#include <app/CommandIds.h>
#include <app/ModelPanes.h>
#include <app/VarnholtView.h>

#include <QAction>
#include <QApplication>
#include <QScreen>

#include <cstdlib>

namespace {

using Screenshot = AppFixture;

TEST_F(Screenshot, FirstStartWithTheSampleLibraryAndADoor)
{
    copySampleLibrary();
    CMainFrame* f = start();
    QApplication::processEvents();
    ASSERT_EQ(QGuiApplication::primaryScreen()->size(), QSize(1400, 900));

    ASSERT_GE(f->library().models().doors.count(), 1u);
    ASSERT_GE(f->library().models().hinges.count(), 1u);
    ASSERT_GE(f->library().models().lockCores.count(), 1u);
    EXPECT_GE(f->library().models().knives.count(), 6u);
    const GK_DoorWithHinges* door = f->library().models().doors[0];
    EXPECT_NE(door->GetHingesModel(), nullptr) << "sample doors name sample models";
    EXPECT_NE(door->GetLockCoreModel(), nullptr);

    CTreeGridCtrl& grid = f->doorPane()->grid();
    grid.SetRowSelectedAndFocused(0);
    emit grid.leftButtonDoubleClicked(grid.GetRowInfo(0)->m_userData);
    QApplication::processEvents();

    // The view keeps its room beside lists shown whole, and no pane lies over it.
    CVarnholtView* view = f->activeView();
    const QRect viewArea(view->mapTo(f, QPoint(0, 0)), view->size());
    const QImage shot = f->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_GE(viewArea.width(), CVarnholtView::kMinimumSize.width());
    for (const CModelPane* pane : {static_cast<CModelPane*>(f->hingesPane()),
                                   static_cast<CModelPane*>(f->lockCorePane()),
                                   static_cast<CModelPane*>(f->doorPane())})
        EXPECT_FALSE(QRect(pane->mapTo(f, QPoint(0, 0)), pane->size()).intersects(viewArea))
            << pane->objectName().toStdString();

    // The view's part of the window shows the door on the white drawing
    // background, pixel for pixel as the view paints itself.
    const QImage drawing = shot.copy(viewArea);
    EXPECT_EQ(drawing, view->grab().toImage().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(drawing.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_EQ(drawing.pixelColor(drawing.width() - 2, drawing.height() - 2), QColor(Qt::white));
    // The leaf, drawn in grey (the hardware is coloured), is fitted to the
    // view and centred in it.
    QRect leaf;
    for (int y = 0; y < drawing.height(); ++y)
        for (int x = 0; x < drawing.width(); ++x) {
            const QColor c = drawing.pixelColor(x, y);
            if (c.red() == c.green() && c.green() == c.blue() && c.lightness() < 224)
                leaf |= QRect(x, y, 1, 1);
        }
    ASSERT_FALSE(leaf.isEmpty()) << "the door's leaf is drawn";
    EXPECT_GT(leaf.width(), drawing.width() * 9 / 10);
    EXPECT_LE(std::abs(leaf.left() - (drawing.width() - 1 - leaf.right())), 2);
    EXPECT_LE(std::abs(leaf.top() - (drawing.height() - 1 - leaf.bottom())), 2);

    // The black look darkens the panes but not the drawing.
    const QRect paneArea(f->doorPane()->mapTo(f, QPoint(0, 0)), f->doorPane()->size());
    f->action(ID_VIEW_APPLOOK_OFF_2007_BLACK)->trigger();
    QApplication::processEvents();
    const QImage blackShot = f->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(blackShot.copy(viewArea), drawing);
    EXPECT_LT(blackShot.pixelColor(paneArea.topLeft() + QPoint(2, 2)).lightness(),
              shot.pixelColor(paneArea.topLeft() + QPoint(2, 2)).lightness());

    // Kept under the build folder for people to look at.
    const QString folder = QStringLiteral(VARNHOLT_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    shot.save(QDir(folder).filePath(QStringLiteral("first_start.png")));
    blackShot.save(QDir(folder).filePath(QStringLiteral("first_start_black.png")));
}

} // namespace
