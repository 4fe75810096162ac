// Managing the library from the panes: the row context menu on each pane,
// Del and F2 on the chosen row, the Edit menu's undo, and what the panes and
// the drawing show after each.
#include "AppFixture.h"
#include "DialogDriving.h"
#include "SampleModels.h"

#include <app/CommandIds.h>
#include <app/ModelPanes.h>
#include <app/VarnholtView.h>
#include <dialogs/GbkQString.h>
#include <grid/CTreeGridCtrl.h>
#include <kernel/GK_Hinges.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

class ManagingTheLibrary : public AppFixture {
protected:
    void SetUp() override
    {
        makeFolders();
        SampleModels::writeLibrary(libraryFolder());
        f = start();
    }

    static QStringList names(CModelPane& pane)
    {
        QStringList shown;
        for (int r = 0; r < pane.grid().RowCount(); ++r)
            shown << pane.grid().GetRowInfo(r)->m_text + QLatin1Char(' ') + pane.grid().GetRowInfo(r)->m_subItemTexts.value(0);
        return shown;
    }
    void choose(CModelPane& pane, int row)
    {
        f->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(f));
        pane.grid().setFocus();
        pane.grid().SetRowSelectedAndFocused(row);
    }
    int drawn(int type, const char* name) const
    {
        int count = 0;
        for (const GK_Object* o = f->activeView()->operation().drawing().list().first(); o; o = o->next)
            count += o->type() == type && static_cast<const GK_NamedObject*>(o)->GetName() == name;
        return count;
    }

    CMainFrame* f = nullptr;
};

// A right click on a row of each pane selects it and offers the library's
// commands in the "库" menu's order.
TEST_F(ManagingTheLibrary, EachPaneOffersTheCommandsOnARightClick)
{
    const QStringList expected{QStringLiteral("编辑..."), QStringLiteral("重命名\tF2"), QStringLiteral("复制为..."),
                               QStringLiteral("删除\tDel"), QStringLiteral("撤销\tCtrl+Z")};
    for (CModelPane* pane : f->panes()) {
        SCOPED_TRACE(pane->objectName().toStdString());
        QStringList offered;
        QTimer::singleShot(50, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (const QAction* a : menu->actions())
                    offered << a->text();
                menu->close();
            }
        });
        const QPoint onRow = pane->grid().GetRowBounds(0).center();
        QContextMenuEvent click(QContextMenuEvent::Mouse, onRow, pane->grid().viewport()->mapToGlobal(onRow));
        QApplication::sendEvent(pane->grid().viewport(), &click);
        EXPECT_EQ(offered, expected);
        EXPECT_EQ(pane->selectedRow(), std::optional<std::size_t>(0));
    }
    QStringList library;
    for (const QAction* a : f->menuBar()->actions())
        if (a->text() == QStringLiteral("库(&L)"))
            for (const QAction* item : a->menu()->actions())
                if (!item->isSeparator())
                    library << item->text();
    EXPECT_EQ(library, expected);
}

// Del on a door moves its file away, the rows after it move up and the copy
// in the drawing goes; Ctrl+Z brings it back in its row. A hinge that a door
// uses is not deleted.
TEST_F(ManagingTheLibrary, DelAndUndoOnThePanesAndTheDrawing)
{
    CDoorListPane& doors = *f->doorPane();
    choose(doors, 1);
    QTest::keyClick(&doors.grid(), Qt::Key_Return);
    ASSERT_EQ(drawn(GK_TYPE_DOOR, "D2"), 1);
    QTest::keyClick(&doors.grid(), Qt::Key_Delete);
    EXPECT_EQ(names(doors), QStringList{"1 D1"});
    EXPECT_FALSE(QFile::exists(libraryPath(QStringLiteral("DoorModel/D2.xml"))));
    EXPECT_EQ(drawn(GK_TYPE_DOOR, "D2"), 0);
    EXPECT_EQ(QDir(libraryPath(QStringLiteral("已删除/DoorModel"))).entryList(QDir::Files).size(), 1);

    QTest::keyClick(&doors.grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(names(doors), (QStringList{"1 D1", "2 D2"}));
    EXPECT_TRUE(QFile::exists(libraryPath(QStringLiteral("DoorModel/D2.xml"))));

    CHingesPane& hinges = *f->hingesPane();
    choose(hinges, 0);
    WhenModalShown([](QWidget* box) { box->close(); });
    QTest::keyClick(&hinges.grid(), Qt::Key_Delete);
    EXPECT_EQ(names(hinges), (QStringList{"1 H1", "2 H2"})) << "D1 uses H1";
}

// F2 renames the hinge: its row keeps its number, the door in the drawing
// names it anew, and the Edit menu's undo gives the old name back.
TEST_F(ManagingTheLibrary, F2RenamesInPlaceAndUndoGivesTheNameBack)
{
    CDoorListPane& doors = *f->doorPane();
    choose(doors, 0);
    QTest::keyClick(&doors.grid(), Qt::Key_Return);
    CHingesPane& hinges = *f->hingesPane();
    choose(hinges, 0);
    WhenModalShown([](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("重命名"));
        Type(d, "name", "H9");
        Click(d, "ok");
    });
    QTest::keyClick(&hinges.grid(), Qt::Key_F2);
    EXPECT_EQ(names(hinges), (QStringList{"1 H9", "2 H2"}));
    EXPECT_EQ(hinges.selectedRow(), std::optional<std::size_t>(0));
    const GK_Object* door = f->activeView()->operation().drawing().list().first();
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(static_cast<const GK_DoorWithHinges*>(door)->GetHingesModel()->GetName(), "H9");
    EXPECT_TRUE(QFile::exists(libraryPath(QStringLiteral("Hinges/H9.xml"))));
    EXPECT_FALSE(QFile::exists(libraryPath(QStringLiteral("Hinges/H1.xml"))));

    f->action(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(names(hinges), (QStringList{"1 H1", "2 H2"}));
    EXPECT_EQ(static_cast<const GK_DoorWithHinges*>(door)->GetHingesModel()->GetName(), "H1");
}

} // namespace
