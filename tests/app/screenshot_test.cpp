// The first start of a new user on a 1400 x 900 screen with the sample library
// and a door displayed, rendered to PNGs under the build folder for people to
// look at, and checked region by region: the drawing fills its view, and no
// pane covers the view.
#include "AppFixture.h"

#include <app/CommandIds.h>
#include <app/ModelPanes.h>
#include <app/VarnholtView.h>

#include <QAction>
#include <QApplication>
#include <QScreen>

namespace {

// The box of the pixels in a region that differ from its top-left pixel.
QRect drawnBox(const QImage& image, const QRect& region)
{
    const QColor background = image.pixelColor(region.topLeft());
    QRect box;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (image.pixelColor(x, y) != background)
                box |= QRect(x, y, 1, 1);
    return box;
}

using Screenshot = AppFixture;

TEST_F(Screenshot, FirstStartWithADoorDisplayed)
{
    copySampleLibrary();
    CMainFrame* f = start();
    QApplication::processEvents();
    ASSERT_EQ(QGuiApplication::primaryScreen()->size(), QSize(1400, 900));

    ASSERT_GE(f->library().doors.count(), 1u);
    EXPECT_GE(f->library().knives.count(), 6u);
    const GK_DoorWithHinges* door = f->library().doors[0];
    EXPECT_NE(door->GetHingesModel(), nullptr) << "sample doors name sample models";
    EXPECT_NE(door->GetLockCoreModel(), nullptr);

    CTreeGridCtrl& grid = f->doorPane()->grid();
    grid.SetRowSelectedAndFocused(0);
    emit grid.leftButtonDoubleClicked(grid.GetRowInfo(0)->m_userData);
    QApplication::processEvents();

    const QString folder = QStringLiteral(VARNHOLT_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    const auto shoot = [&](const char* name) {
        const QImage shot = f->grab().toImage();
        EXPECT_TRUE(shot.save(QDir(folder).filePath(QString::fromLatin1(name))));
        return shot;
    };
    const QImage shot = shoot("first_start.png");
    ASSERT_FALSE(shot.isNull());

    const QRect view(f->activeView()->mapTo(f, QPoint()), f->activeView()->size());
    EXPECT_GE(view.width(), shot.width() / 2) << "the drawing has half the window";
    for (const CModelPane* pane : {static_cast<CModelPane*>(f->hingesPane()),
                                   static_cast<CModelPane*>(f->lockCorePane()),
                                   static_cast<CModelPane*>(f->doorPane())}) {
        const QRect area(pane->mapTo(f, QPoint()), pane->size());
        EXPECT_FALSE(area.intersects(view)) << pane->objectName().toStdString();
        EXPECT_FALSE(drawnBox(shot, area).isEmpty()) << "the pane shows its list";
    }
    // The door is fitted into the view: it spans most of the view's width.
    const QRect drawn = drawnBox(shot, view.adjusted(1, 1, -1, -1));
    EXPECT_GT(drawn.width(), view.width() * 3 / 4);
    EXPECT_TRUE(view.contains(drawn));

    f->action(ID_VIEW_APPLOOK_OFF_2007_BLACK)->trigger();
    QApplication::processEvents();
    shoot("first_start_black.png");
}

} // namespace
