#include "AppFixture.h"

#include <app/CommandIds.h>
#include <app/Looks.h>
#include <app/ModelPanes.h>
#include <grid/ReadableColor.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QStyle>

#include <set>

namespace {

using LooksAndSettings = AppFixture;

int storedLook()
{
    return QSettings(AppSettings::organization(), AppSettings::application()).value("ApplicationLook", -1).toInt();
}

QList<int> markedLooks(CMainFrame* f)
{
    QList<int> marked;
    for (int id = Looks::kFirst; id <= Looks::kLast; ++id)
        if (f->action(id)->isChecked())
            marked << id;
    return marked;
}

TEST_F(LooksAndSettings, FirstStartUsesAndWritesTheDefaultLook)
{
    EXPECT_EQ(storedLook(), -1);
    CMainFrame* f = start();
    EXPECT_EQ(f->currentLook(), 214);
    EXPECT_EQ(storedLook(), 214);
    EXPECT_EQ(markedLooks(f), QList<int>{214});
}

TEST_F(LooksAndSettings, ChosenLookPersistsAcrossARestartWithItsMark)
{
    CMainFrame* f = start();
    const auto docking = f->dockOptions();
    f->action(ID_VIEW_APPLOOK_OFF_XP)->trigger();
    EXPECT_EQ(storedLook(), 211);
    EXPECT_EQ(markedLooks(f), QList<int>{211});
    EXPECT_EQ(f->dockOptions(), docking) << "a plain look leaves the docking mode as it was";

    f = restart();
    EXPECT_EQ(f->currentLook(), 211);
    EXPECT_EQ(markedLooks(f), QList<int>{211});
    EXPECT_EQ(QApplication::style()->name().toLower(), Looks::styleName(211).toLower());
}

TEST_F(LooksAndSettings, AStoredLookOutsideTheMenuMarksNothing)
{
    AppSettings::writeLook(300);
    CMainFrame* f = start();
    EXPECT_EQ(f->currentLook(), 300);
    EXPECT_TRUE(markedLooks(f).isEmpty());
    EXPECT_EQ(storedLook(), 300);
}

TEST_F(LooksAndSettings, EveryLookIsDistinctAndTheBlackOneIsDark)
{
    CMainFrame* f = start();
    std::set<std::pair<QString, QRgb>> seen;
    for (int id = Looks::kFirst; id <= Looks::kLast; ++id) {
        f->action(id)->trigger();
        EXPECT_EQ(storedLook(), id);
        EXPECT_EQ(markedLooks(f), QList<int>{id});
        const QRgb window = QApplication::palette().color(QPalette::Window).rgb();
        seen.insert({QApplication::style()->name().toLower(), window});
        if (id == ID_VIEW_APPLOOK_OFF_2007_BLACK) {
            EXPECT_LT(QColor(window).lightness(), 100);
        }
        // The status bar's link stands on the window colour.
        const QColor link = f->passedOverNote()->palette().color(QPalette::Link);
        EXPECT_GE(ContrastRatio(link, QColor(window)), 4.5) << id;
    }
    EXPECT_EQ(seen.size(), 9u);
    EXPECT_EQ(Looks::styleName(210).toLower(), "windows");
}

TEST_F(LooksAndSettings, DockLayoutAndGeometryPersist)
{
    CMainFrame* f = start();
    f->resize(900, 640);
    f->addDockWidget(Qt::BottomDockWidgetArea, f->doorPane());
    f->lockCorePane()->hide();
    f = restart();
    EXPECT_EQ(f->dockWidgetArea(f->doorPane()), Qt::BottomDockWidgetArea);
    EXPECT_FALSE(f->lockCorePane()->isVisible());
    EXPECT_TRUE(f->hingesPane()->isVisible());
    EXPECT_EQ(f->size(), QSize(900, 640));
}

TEST_F(LooksAndSettings, RecentFilesKeepTheNewestFour)
{
    CMainFrame* f = start();
    QStringList paths;
    for (int i = 0; i < 6; ++i) {
        paths << libraryPath(QStringLiteral("doc%1.txt").arg(i));
        ASSERT_TRUE(f->saveDocumentAs(paths.last()));
    }
    ASSERT_TRUE(f->openDocumentFile(paths[3]));
    const QStringList expected{paths[3], paths[5], paths[4], paths[2]};
    EXPECT_EQ(f->recentFiles(), expected);
    f = restart();
    EXPECT_EQ(f->recentFiles(), expected);
    EXPECT_EQ(f->action(ID_FILE_MRU_FILE1)->text(), QStringLiteral("&1 ") + QDir::toNativeSeparators(paths[3]));
    EXPECT_TRUE(f->action(ID_FILE_MRU_FILE1 + 3)->isEnabled());
}

} // namespace
