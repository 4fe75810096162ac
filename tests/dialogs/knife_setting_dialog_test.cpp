#include "DialogDriving.h"
#include "RecordingMessageBoxes.h"
#include "TestLibrary.h"

#include <dialogs/CDlgKnifeSetting.h>
#include <dialogs/DataExchange.h>
#include <grid/CTreeGridCtrl.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>

namespace {

// The dialog edits the tools in memory and asks its callback to save the
// table after every change; the tests count those requests.
class KnifeSettingDialogTest : public ::testing::Test {
protected:
    CTreeGridCtrl* grid() { return dialog.findChild<CTreeGridCtrl*>(); }

    QString cell(int row, int column)
    {
        const CItemInfo* info = grid()->GetRowInfo(row);
        if (!info)
            return QStringLiteral("<no row>");
        return column == 0 ? info->m_text : info->SubItemText(column - 1);
    }

    void clickRow(int row)
    {
        const QRect bounds = grid()->GetRowBounds(row);
        QTest::mouseClick(grid()->eventTarget(), Qt::LeftButton, Qt::NoModifier, bounds.center());
    }

    // Right-clicks the row and returns the menu's entries, choosing the one
    // named chosen if any.
    QStringList rightClickRow(int row, const QString& chosen = {})
    {
        QStringList offered;
        QTimer::singleShot(50, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* a : menu->actions()) {
                offered << a->text();
                if (a->text() == chosen)
                    menu->setActiveAction(a);
            }
            if (chosen.isEmpty())
                menu->close();
            else
                QTest::keyClick(menu, Qt::Key_Return);
        });
        const QPoint onRow = grid()->GetRowBounds(row).center();
        QContextMenuEvent click(QContextMenuEvent::Mouse, onRow, grid()->eventTarget()->mapToGlobal(onRow));
        QApplication::sendEvent(grid()->eventTarget(), &click);
        return offered;
    }

    void addThreeTools()
    {
        for (int id : {1, 2, 3}) {
            KnifeInfo* knife = lib.addKnife(id, id * 2.0);
            knife->Vel = id * 1000;
            knife->SafeDistance = id + 0.5;
            knife->IsMain = id % 2;
            knife->Enable = id == 2 ? 0 : 1;
            knife->Type = id - 1;
            knife->PlungeVel = (id - 1) * 500;
            knife->Kind = static_cast<KnifeKind>(id - 1);
            knife->AirForward = "F" + std::to_string(id);
            knife->AirBack = "B" + std::to_string(id);
            knife->DrillStart = "S" + std::to_string(id);
            knife->DrillStop = "T" + std::to_string(id);
        }
    }

    TestLibrary lib;
    RecordingMessageBoxes messages;
    int saves = 0;
    CDlgKnifeSetting dialog{messages, &lib.library.knives, [this] { ++saves; }};
};

TEST_F(KnifeSettingDialogTest, EmptyTableShowsDefaultsAndApplyDoesNothing)
{
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("刀具信息设置"));
    EXPECT_EQ(grid()->ColumnCount(), 13);
    EXPECT_EQ(grid()->RowCount(), 0);
    EXPECT_EQ(grid()->GetFirstSelectedRow(), -1);
    for (const char* number : {"toolNumber", "diameter", "speed", "safeDistance"})
        EXPECT_EQ(Field(&dialog, number)->text(), "0") << number;
    EXPECT_EQ(List(&dialog, "typeList")->currentText(), QStringLiteral("合页刀"));
    EXPECT_EQ(List(&dialog, "spindleList")->currentText(), QStringLiteral("否"));
    EXPECT_EQ(List(&dialog, "enableList")->currentText(), QStringLiteral("禁用"));
    for (const char* text : {"airForward", "airBack", "drillStart", "drillStop"})
        EXPECT_EQ(Field(&dialog, text)->text(), "") << text;

    Click(&dialog, "apply");
    EXPECT_EQ(saves, 0) << "nothing is saved without a selected tool";
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(KnifeSettingDialogTest, OpensWithTheFirstToolSelectedAndShown)
{
    addThreeTools();
    dialog.show();
    ASSERT_EQ(grid()->RowCount(), 3);
    EXPECT_EQ(grid()->GetFirstSelectedRow(), 0);
    const QStringList expectedRow{"1",    "2.00", "1000", "", "1.50", QStringLiteral("合页刀"), QStringLiteral("未设置"),
                                  QStringLiteral("是"), QStringLiteral("启用"), "F1", "B1", "S1", "T1"};
    for (int column = 0; column < 13; ++column)
        EXPECT_EQ(cell(0, column), expectedRow[column]) << column;
    EXPECT_EQ(Field(&dialog, "toolNumber")->text(), "1");
    EXPECT_EQ(Field(&dialog, "diameter")->text(), "2");
    EXPECT_EQ(Field(&dialog, "airForward")->text(), "F1");
}

TEST_F(KnifeSettingDialogTest, ClickingARowShowsEveryValue)
{
    addThreeTools();
    dialog.show();
    clickRow(1);
    EXPECT_EQ(grid()->GetFirstSelectedRow(), 1);
    EXPECT_EQ(Field(&dialog, "toolNumber")->text(), "2");
    EXPECT_EQ(Field(&dialog, "diameter")->text(), "4");
    EXPECT_EQ(Field(&dialog, "speed")->text(), "2000");
    EXPECT_EQ(Field(&dialog, "safeDistance")->text(), "2.5");
    EXPECT_EQ(List(&dialog, "typeList")->currentText(), QStringLiteral("垂直刀"));
    EXPECT_EQ(List(&dialog, "spindleList")->currentText(), QStringLiteral("否"));
    EXPECT_EQ(List(&dialog, "enableList")->currentText(), QStringLiteral("禁用"));
    EXPECT_EQ(Field(&dialog, "airForward")->text(), "F2");
    EXPECT_EQ(Field(&dialog, "airBack")->text(), "B2");
    EXPECT_EQ(Field(&dialog, "drillStart")->text(), "S2");
    EXPECT_EQ(Field(&dialog, "drillStop")->text(), "T2");
    EXPECT_EQ(Field(&dialog, "plungeSpeed")->text(), "500");
    EXPECT_EQ(List(&dialog, "kindList")->currentText(), QStringLiteral("钻头"));

    const KnifeInfo before = *lib.library.knives[1];
    Click(&dialog, "apply");
    const KnifeInfo& after = *lib.library.knives[1];
    EXPECT_EQ(after.ID, before.ID);
    EXPECT_EQ(after.Diameter, before.Diameter);
    EXPECT_EQ(after.Vel, before.Vel);
    EXPECT_EQ(after.SafeDistance, before.SafeDistance);
    EXPECT_EQ(after.Type, before.Type);
    EXPECT_EQ(after.IsMain, before.IsMain);
    EXPECT_EQ(after.Enable, before.Enable);
    EXPECT_EQ(after.DrillStop, before.DrillStop);
    EXPECT_EQ(after.PlungeVel, before.PlungeVel);
    EXPECT_EQ(after.Kind, before.Kind);
}

TEST_F(KnifeSettingDialogTest, ApplyWritesTheSelectedToolRebuildsAndSaves)
{
    addThreeTools();
    dialog.show();
    clickRow(1);
    Type(&dialog, "diameter", "6.5");
    Type(&dialog, "drillStart", QStringLiteral("启动"));
    Click(&dialog, "apply");
    EXPECT_EQ(cell(1, 1), "6.50");
    EXPECT_EQ(cell(1, 11), QStringLiteral("启动"));
    EXPECT_EQ(grid()->GetFirstSelectedRow(), 1);
    EXPECT_EQ(lib.library.knives[1]->Diameter, 6.5);
    EXPECT_EQ(lib.library.knives[1]->DrillStart, "\xC6\xF4\xB6\xAF");
    EXPECT_EQ(lib.library.knives[0]->Diameter, 2.0);
    EXPECT_EQ(saves, 1);
}

// A type code outside the list keeps its value when another field is
// applied; choosing a type from the list replaces it.
TEST_F(KnifeSettingDialogTest, UnknownTypeShowsUnknownAndKeepsItsCode)
{
    lib.addKnife(1, 3.0);
    lib.addKnife(5, 3.0, 7);
    dialog.show();
    EXPECT_EQ(cell(1, 5), QStringLiteral("未知"));
    clickRow(1);
    EXPECT_EQ(List(&dialog, "typeList")->currentIndex(), -1);
    Type(&dialog, "diameter", "4");
    Click(&dialog, "apply");
    EXPECT_EQ(lib.library.knives[1]->Type, 7);
    EXPECT_EQ(lib.library.knives[1]->Diameter, 4.0);
    EXPECT_EQ(cell(1, 5), QStringLiteral("未知"));
    EXPECT_EQ(saves, 1);
    List(&dialog, "typeList")->setCurrentIndex(2);
    Click(&dialog, "apply");
    EXPECT_EQ(lib.library.knives[1]->Type, 2);
}

// Clicking tool 1 and pressing the down key moves the selection to tool 2:
// the form follows, and Apply writes only into tool 2, whichever way the
// selection moved.
TEST_F(KnifeSettingDialogTest, TheFormFollowsTheSelectionHoweverItMoves)
{
    addThreeTools();
    dialog.show();
    clickRow(0);
    QTest::keyClick(grid()->eventTarget(), Qt::Key_Down);
    ASSERT_EQ(grid()->GetFirstSelectedRow(), 1);
    EXPECT_EQ(Field(&dialog, "toolNumber")->text(), "2");
    Type(&dialog, "diameter", "9");
    Click(&dialog, "apply");
    EXPECT_EQ(lib.library.knives[0]->ID, 1);
    EXPECT_EQ(lib.library.knives[0]->Diameter, 2.0);
    EXPECT_EQ(lib.library.knives[1]->ID, 2);
    EXPECT_EQ(lib.library.knives[1]->Diameter, 9.0);
    EXPECT_EQ(lib.library.knives[1]->Vel, 2000);
    EXPECT_EQ(lib.library.knives[1]->AirForward, "F2");

    grid()->SetRowSelectedAndFocused(2);
    EXPECT_EQ(Field(&dialog, "toolNumber")->text(), "3");
    EXPECT_EQ(Field(&dialog, "airForward")->text(), "F3");
}

// A negative tool number from a file is shown as it is and can be applied;
// a new negative number is refused as before.
TEST_F(KnifeSettingDialogTest, ANegativeToolNumberFromAFileIsKept)
{
    lib.addKnife(-3, 5.0);
    dialog.show();
    EXPECT_EQ(Field(&dialog, "toolNumber")->text(), "-3");
    Type(&dialog, "speed", "1200");
    Click(&dialog, "apply");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(lib.library.knives[0]->ID, -3);
    EXPECT_EQ(lib.library.knives[0]->Vel, 1200);

    Type(&dialog, "toolNumber", "-4");
    Click(&dialog, "apply");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(HasFocus(Field(&dialog, "toolNumber")));
    EXPECT_EQ(lib.library.knives[0]->ID, -3);
}

// An unreadable field stops Apply before anything is written or saved.
TEST_F(KnifeSettingDialogTest, ApplyStopsAtTheFirstUnreadableField)
{
    addThreeTools();
    dialog.show();
    clickRow(2);
    Type(&dialog, "diameter", "9");
    Type(&dialog, "speed", "fast");
    Type(&dialog, "airForward", "new");
    Click(&dialog, "apply");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.endsWith(ExchangeMessages::notAWholeNumber())) << "named by its label";
    EXPECT_TRUE(HasFocus(Field(&dialog, "speed")));
    EXPECT_EQ(lib.library.knives[2]->Diameter, 6.0) << "no mix of new and stale values";
    EXPECT_EQ(lib.library.knives[2]->AirForward, "F3");
    EXPECT_EQ(cell(2, 1), "6.00");
    EXPECT_EQ(saves, 0);
}

// The plunge feed may be left empty (not set) but never be negative; the
// kind is chosen from its list. Both reach the tool and the grid.
TEST_F(KnifeSettingDialogTest, PlungeFeedAndKindAreAppliedOrRefused)
{
    struct Case {
        const char* typed;
        int kindIndex;
        bool refused;
        int plunge;
        KnifeKind kind;
        const char* plungeCell;
        const char* kindCell;
    };
    const Case cases[] = {
        {"1800", 1, false, 1800, KnifeKind::Drill, "1800", "钻头"},
        {"-5", 2, true, 1800, KnifeKind::Drill, "1800", "钻头"},
        {"2.5", 2, true, 1800, KnifeKind::Drill, "1800", "钻头"},
        {"", 2, false, 0, KnifeKind::Cutter, "", "铣刀"},
        {"  ", 0, false, 0, KnifeKind::Unset, "", "未设置"},
    };
    addThreeTools();
    dialog.show();
    for (const Case& c : cases) {
        clickRow(2);
        messages.shown.clear();
        Type(&dialog, "plungeSpeed", c.typed);
        List(&dialog, "kindList")->setCurrentIndex(c.kindIndex);
        Click(&dialog, "apply");
        EXPECT_EQ(messages.shown.size(), c.refused ? 1u : 0u) << c.typed;
        EXPECT_EQ(c.refused, HasFocus(Field(&dialog, "plungeSpeed"))) << c.typed;
        EXPECT_EQ(lib.library.knives[2]->PlungeVel, c.plunge) << c.typed;
        EXPECT_EQ(lib.library.knives[2]->Kind, c.kind) << c.typed;
        EXPECT_EQ(cell(2, 3), QString::fromUtf8(c.plungeCell)) << c.typed;
        EXPECT_EQ(cell(2, 6), QString::fromUtf8(c.kindCell)) << c.typed;
    }
}

TEST_F(KnifeSettingDialogTest, AddingAToolAppendsARowKeepsTheSelectionAndSaves)
{
    addThreeTools();
    dialog.show();
    clickRow(1);
    WhenModalShown([](QWidget* add) {
        Type(add, "toolNumber", "4");
        Type(add, "diameter", "8");
        Type(add, "speed", "3000");
        List(add, "enableList")->setCurrentIndex(1);
        Click(add, "ok");
    });
    Click(&dialog, "addKnife");
    ASSERT_EQ(grid()->RowCount(), 4);
    EXPECT_EQ(cell(1, 0), "2");
    EXPECT_EQ(cell(3, 0), "4");
    EXPECT_EQ(cell(3, 1), "8.00");
    EXPECT_EQ(cell(3, 2), "3000");
    EXPECT_EQ(cell(3, 8), QStringLiteral("启用"));
    EXPECT_EQ(grid()->GetFirstSelectedRow(), 1);
    const KnifeInfo& added = *lib.library.knives[3];
    EXPECT_EQ(added.SafeDistance, 0.0) << "the add dialog's value replaces the record's initial value";
    EXPECT_EQ(added.Type, 0);
    EXPECT_EQ(added.IsMain, 0);
    EXPECT_EQ(added.Enable, 1);
    EXPECT_EQ(saves, 1);
}

TEST_F(KnifeSettingDialogTest, ClosingTheAddDialogAddsNothing)
{
    addThreeTools();
    dialog.show();
    WhenModalShown([](QWidget* add) { add->close(); });
    Click(&dialog, "addKnife");
    EXPECT_EQ(grid()->RowCount(), 3);
    EXPECT_EQ(lib.library.knives.count(), 3u);
    EXPECT_EQ(saves, 0);
}

TEST_F(KnifeSettingDialogTest, CancelAfterApplyKeepsTheAppliedChange)
{
    addThreeTools();
    const int result = RunModal(dialog, [](QWidget* d) {
        Type(d, "diameter", "7.25");
        Click(d, "apply");
        Type(d, "diameter", "99");
        Click(d, "cancel");
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(lib.library.knives[0]->Diameter, 7.25);
    EXPECT_EQ(saves, 1);
}

TEST_F(KnifeSettingDialogTest, OkSavesNothing)
{
    addThreeTools();
    const int result = RunModal(dialog, [](QWidget* d) {
        Type(d, "diameter", "7");
        Click(d, "ok");
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(lib.library.knives[0]->Diameter, 2.0);
    EXPECT_EQ(saves, 0);
}

} // namespace

// The row commands act on the row clicked or selected: "编辑..." and Enter
// put the focus in the form with that tool, "复制为..." appends a copy under
// the next free number, "删除" and Del take the tool out once confirmed.
TEST_F(KnifeSettingDialogTest, RowCommandsFromTheMenuAndTheKeys)
{
    addThreeTools();
    lib.library.knives[2]->ID = 7;
    dialog.show();
    const QStringList expected{QStringLiteral("编辑..."), QStringLiteral("复制为..."), QStringLiteral("删除\tDel")};
    EXPECT_EQ(rightClickRow(1, expected[0]), expected);
    EXPECT_EQ(grid()->GetFirstSelectedRow(), 1);
    EXPECT_EQ(Field(&dialog, "toolNumber")->text(), "2");
    EXPECT_EQ(dialog.focusWidget(), Field(&dialog, "toolNumber"));

    clickRow(0);
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_EQ(Field(&dialog, "toolNumber")->text(), "1");
    EXPECT_EQ(dialog.focusWidget(), Field(&dialog, "toolNumber"));
    EXPECT_TRUE(dialog.isVisible()) << "Enter on a row is not the OK button";

    rightClickRow(1, expected[1]);
    ASSERT_EQ(grid()->RowCount(), 4);
    EXPECT_EQ(cell(3, 0), "8");
    EXPECT_EQ(cell(3, 1), "4.00");
    EXPECT_EQ(grid()->GetFirstSelectedRow(), 3);
    EXPECT_EQ(Field(&dialog, "toolNumber")->text(), "8");
    EXPECT_EQ(saves, 1);

    clickRow(0);
    messages.answers = {false};
    QTest::keyClick(grid(), Qt::Key_Delete);
    EXPECT_EQ(grid()->RowCount(), 4) << "refused";
    messages.answers = {true};
    QTest::keyClick(grid(), Qt::Key_Delete);
    ASSERT_EQ(lib.library.knives.count(), 3u);
    EXPECT_EQ(lib.library.knives[0]->ID, 2);
    EXPECT_EQ(Field(&dialog, "toolNumber")->text(), "2") << "the next tool moves up into the selection";
    messages.answers = {true};
    rightClickRow(2, expected[2]);
    ASSERT_EQ(grid()->RowCount(), 2);
    EXPECT_EQ(cell(1, 0), "7");
    EXPECT_EQ(grid()->GetFirstSelectedRow(), 1) << "the last row deleted, the one before is selected";
    EXPECT_EQ(saves, 3);
}
