#include "AppFixture.h"
#include "SampleModels.h"

#include <app/CommandIds.h>
#include <app/ModelPanes.h>
#include <app/VarnholtView.h>
#include <dialogs/CDlgPassedOver.h>
#include <dialogs/UserMessages.h>
#include <library/HingesFile.h>
#include <library/PublishedLibrary.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTreeWidget>
#include <QMessageBox>

namespace {

using StartUp = AppFixture;

TEST_F(StartUp, PanesListTheModelsInLoadOrderNumberedFromOne)
{
    makeFolders();
    SampleModels::writeLibrary(libraryFolder());
    CMainFrame* f = start();
    ASSERT_NE(f, nullptr);

    const CTreeGridCtrl& hinges = f->hingesPane()->grid();
    ASSERT_EQ(hinges.RowCount(), 2);
    EXPECT_EQ(rowTexts(hinges, 0), QStringList({"1", "H1", "comment H1"}));
    EXPECT_EQ(rowTexts(hinges, 1), QStringList({"2", "H2", "comment H2"}));
    EXPECT_EQ(hinges.GetRowInfo(0)->m_userData, f->library().models().hinges[0]);

    const CTreeGridCtrl& locks = f->lockCorePane()->grid();
    ASSERT_EQ(locks.RowCount(), 1);
    EXPECT_EQ(rowTexts(locks, 0), QStringList({"1", "L1", "lock L1"}));

    const CTreeGridCtrl& doors = f->doorPane()->grid();
    ASSERT_EQ(doors.RowCount(), 2);
    EXPECT_EQ(rowTexts(doors, 0), QStringList({"1", "D1", "2100.00", "900.00", "40.00", "door D1"}));
    EXPECT_EQ(rowTexts(doors, 1), QStringList({"2", "D2", "1950.50", "850.25", "38.00", "door D2"}));

    EXPECT_EQ(f->library().models().knives.count(), 2u);
}

TEST_F(StartUp, DoorsResolveModelsLoadedInTheSameStart)
{
    makeFolders();
    SampleModels::writeLibrary(libraryFolder());
    CMainFrame* f = start();
    const GK_DoorWithHinges* d1 = f->library().models().doors[0];
    EXPECT_EQ(d1->GetHingesModel(), f->library().models().hinges[0]);
    EXPECT_EQ(d1->GetLockCoreModel(), f->library().models().lockCores[0]);
    EXPECT_EQ(f->library().models().doors[1]->GetHingesModel(), nullptr);
}

// "刷新" (F5) reads the library again: a model another instance added
// appears, one it removed goes, and doors point at the models read anew.
TEST_F(StartUp, RefreshReadsTheLibraryAgainFromDisk)
{
    makeFolders();
    SampleModels::writeLibrary(libraryFolder());
    CMainFrame* f = start();
    ASSERT_TRUE(SaveHingesFile(SampleModels::hinge("H3", 30, 40).get(), SaveContext{libraryFolder()}));
    ASSERT_TRUE(QFile::remove(libraryPath("Lockcores/L1.xml")));
    f->action(ID_VIEW_REFRESH)->trigger();

    const CTreeGridCtrl& hinges = f->hingesPane()->grid();
    ASSERT_EQ(hinges.RowCount(), 3);
    EXPECT_EQ(rowTexts(hinges, 2), QStringList({"3", "H3", "comment H3"}));
    EXPECT_EQ(hinges.GetRowInfo(2)->m_userData, f->library().models().hinges[2]);
    EXPECT_EQ(f->lockCorePane()->grid().RowCount(), 0);
    EXPECT_EQ(f->library().models().doors[0]->GetHingesModel(), f->library().models().hinges[0]);
    EXPECT_EQ(f->library().models().doors[0]->GetLockCoreModel(), nullptr);
    EXPECT_EQ(f->library().models().knives.count(), 2u);
}

// A file that yields nothing and a door whose hinge model is gone are counted
// in the status bar and listed, with path and reason, by "未读入的文件".
TEST_F(StartUp, WhatLoadingPassedOverIsCountedAndListed)
{
    makeFolders();
    SampleModels::writeLibrary(libraryFolder());
    ASSERT_TRUE(QFile::remove(libraryPath("Hinges/H1.xml")));
    const auto write = [this](const char* name, const char* text) {
        QFile file(libraryPath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write("Hinges/nan.xml", "<Hinges><Ptlist><Pos X=\"nan\" Y=\"0\"/><Pos X=\"1\" Y=\"0\"/><Pos X=\"1\" Y=\"1\"/></Ptlist></Hinges>");
    write("Lockcores/broken.xml", "<Model");
    CMainFrame* f = start();
    // Read again: the same files are counted once.
    f->action(ID_VIEW_REFRESH)->trigger();
    EXPECT_TRUE(f->passedOverNote()->isVisible());
    EXPECT_TRUE(f->passedOverNote()->text().contains(PassedOverNote(2, 1)));

    f->action(ID_VIEW_PASSED_OVER)->trigger();
    const CDlgPassedOver* dialog = f->findChild<CDlgPassedOver*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    const QTreeWidget& list = dialog->list();
    ASSERT_EQ(list.topLevelItemCount(), 3);
    const QString rows[][2] = {
        {libraryPath("Hinges/nan.xml"), LoadProblemText({LoadProblem::NonFiniteNumber})},
        {libraryPath("Lockcores/broken.xml"), LoadProblemText({LoadProblem::NotWellFormed})},
        {libraryPath("DoorModel/D1.xml"), QStringLiteral("门型“D1”所用的合页模型“H1”不存在")},
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.topLevelItem(i)->text(0), rows[i][0]);
        EXPECT_EQ(list.topLevelItem(i)->text(1), rows[i][1]);
    }

    ASSERT_TRUE(QFile::remove(libraryPath("Hinges/nan.xml")));
    ASSERT_TRUE(QFile::remove(libraryPath("Lockcores/broken.xml")));
    ASSERT_TRUE(SaveHingesFile(SampleModels::hinge("H1", 100, 24).get(), SaveContext{libraryFolder()}));
    f->action(ID_VIEW_REFRESH)->trigger();
    EXPECT_FALSE(f->passedOverNote()->isVisible());
}

TEST_F(StartUp, EmptyOrMissingFoldersGiveEmptyPanesAndNoMessage)
{
    for (bool withFolders : {false, true}) {
        SCOPED_TRACE(withFolders ? "empty folders" : "no folders");
        if (withFolders)
            makeFolders();
        CMainFrame* f = restart();
        EXPECT_EQ(f->hingesPane()->grid().RowCount(), 0);
        EXPECT_EQ(f->lockCorePane()->grid().RowCount(), 0);
        EXPECT_EQ(f->doorPane()->grid().RowCount(), 0);
        EXPECT_EQ(f->hingesPane()->grid().ColumnCount(), 3);
        EXPECT_EQ(f->doorPane()->grid().ColumnCount(), 6);
        EXPECT_TRUE(f->library().models().knives.empty());
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_FALSE(qobject_cast<QMessageBox*>(w) && w->isVisible());
    }
}

TEST_F(StartUp, CaptionPanesAndDockingAsAfterWindowCreation)
{
    CMainFrame* f = start();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Tolvane数控门锁合页加工软件学习版"));
    EXPECT_TRUE(f->isVisible());

    struct Pane {
        CModelPane* pane;
        const char* caption;
        int paneId;
        int gridId;
        Qt::DockWidgetArea area;
    };
    const Pane panes[] = {
        {f->hingesPane(), "合页列表", 4098, 4356, Qt::RightDockWidgetArea},
        {f->lockCorePane(), "锁芯列表", 4100, 4358, Qt::RightDockWidgetArea},
        {f->doorPane(), "门型列表", 4102, 4354, Qt::LeftDockWidgetArea},
    };
    for (const Pane& p : panes) {
        SCOPED_TRACE(p.caption);
        EXPECT_EQ(p.pane->windowTitle(), QString::fromUtf8(p.caption));
        EXPECT_EQ(p.pane->paneId(), p.paneId);
        EXPECT_EQ(p.pane->gridId(), p.gridId);
        EXPECT_EQ(f->dockWidgetArea(p.pane), p.area);
        EXPECT_TRUE(p.pane->isVisible());
    }
    const auto smart = QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks | QMainWindow::AllowNestedDocks;
    EXPECT_EQ(f->dockOptions() & smart, smart);
}

// The main frame publishes its library for the classic entry points while it
// lives, and withdraws it when it is gone.
TEST_F(StartUp, TheLibraryIsPublishedWhileTheFrameLives)
{
    makeFolders();
    SampleModels::writeLibrary(libraryFolder());
    CMainFrame* f = start();
    EXPECT_EQ(FindHingesByName("h2"), f->library().models().hinges[1]);
    EXPECT_EQ(FindLockCoreByName("L1"), f->library().models().lockCores[0]);
    stop();
    EXPECT_EQ(FindHingesByName("h2"), nullptr);
}

} // namespace
