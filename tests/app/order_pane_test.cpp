// The open order in the window: its pane, the door a chosen row shows, and
// an order file dropped on the window.
#include "AppFixture.h"
#include "ModalDriver.h"
#include "SampleModels.h"

#include <app/CommandIds.h>
#include <app/OrderMenuCommands.h>
#include <app/OrderPane.h>
#include <app/VarnholtView.h>
#include <dialogs/MachiningMessages.h>
#include <kernel/GK_DoorWithHinges.h>
#include <orders/OrderPrograms.h>

#include <QAction>
#include <QFileDialog>
#include <QHeaderView>
#include <QMimeData>
#include <QStatusBar>
#include <QTest>
#include <QUrl>

namespace {

class OrderPane : public AppFixture {
protected:
    void SetUp() override
    {
        makeFolders();
        SampleModels::writeLibrary(libraryFolder());
        SampleModels::writeMachiningTools(libraryFolder());
        f = start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
        order = f->findChild<OrderMenuCommands*>();
        ASSERT_NE(order, nullptr);
        pane = order->pane();
    }

    // Door "D1" in its own size and in another, "D2" without models, and a
    // door model the library lacks.
    QString orderFile() const
    {
        const QString path = libraryPath(QStringLiteral("订单B.csv"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("订单号,门型,长度,宽度,厚度,数量\n"
                                  "B1,D1,2050,860,,2\nB2,D2,2000,900,,1\nB3,无此门型,2000,900,,1\nB4,d1,2100,900,40,3\n")
                       .toUtf8());
        return path;
    }
    const GK_DoorWithHinges* drawnDoor() const
    {
        for (const GK_Object* o = f->activeView()->operation().drawing().list().first(); o; o = o->next)
            if (o->visible && o->type() == GK_TYPE_DOOR)
                return static_cast<const GK_DoorWithHinges*>(o);
        return nullptr;
    }
    void click(int row) const
    {
        CTreeGridCtrl& grid = pane->grid();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.GetRowBounds(row).center());
    }

    CMainFrame* f = nullptr;
    OrderMenuCommands* order = nullptr;
    COrderPane* pane = nullptr;
};

TEST_F(OrderPane, OpeningThroughTheMenuListsEveryRowWithItsStatus)
{
    EXPECT_FALSE(pane->isVisible());
    EXPECT_FALSE(f->action(ID_ORDER_PROGRAMS)->isEnabled());
    EXPECT_FALSE(f->action(ID_ORDER_JOB_SHEET)->isEnabled());
    const QString path = orderFile();
    WhenDialogShown("QFileDialog", [path](QWidget* dialog) {
        static_cast<QFileDialog*>(dialog)->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    });
    f->action(ID_ORDER_OPEN)->trigger();

    EXPECT_TRUE(pane->isVisible());
    EXPECT_TRUE(f->action(ID_ORDER_PROGRAMS)->isEnabled());
    EXPECT_TRUE(f->action(ID_ORDER_JOB_SHEET)->isEnabled());
    const CTreeGridCtrl& grid = pane->grid();
    ASSERT_EQ(grid.RowCount(), 4);
    const QHeaderView* header = grid.findChild<QHeaderView*>();
    ASSERT_NE(header, nullptr);
    QStringList headings;
    for (int c = 0; c < grid.ColumnCount(); ++c)
        headings << header->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headings, QStringList({"行号", "订单号", "门型", "尺寸", "数量", "预计加工时间", "状态"}));

    const Order& opened = *order->commands().order();
    const std::vector<RowOutcome>& outcomes = order->commands().rowOutcomes();
    ASSERT_EQ(outcomes.size(), 4u);
    const QStringList first = rowTexts(grid, 0);
    EXPECT_EQ(first.mid(0, 5), QStringList({"2", "B1", "D1", "2050×860×40", "2"}));
    EXPECT_EQ(first.value(5), DurationText(outcomes[0].seconds));
    EXPECT_EQ(first.value(6), QStringLiteral("可加工"));
    for (int row : {1, 2}) {
        const QStringList texts = rowTexts(grid, row);
        EXPECT_EQ(texts.value(0), QString::number(row + 2));
        EXPECT_TRUE(texts.value(5).isEmpty()) << row;
        EXPECT_EQ(texts.value(6), QString::fromStdString(RefusalText(opened.rows[row].refusal))) << row;
        EXPECT_NE(texts.value(6), QStringLiteral("可加工"));
    }
    EXPECT_EQ(rowTexts(grid, 3).value(6), QStringLiteral("可加工"));
}

// A click shows the row's door in its size, as a double click in the door
// pane shows a model, with the preview on; a refused row leaves it.
TEST_F(OrderPane, ClickingARowDrawsItsDoorWithThePreview)
{
    ASSERT_TRUE(order->commands().OpenOrder(orderFile()));
    f->action(ID_MACHINING_PREVIEW)->setChecked(true);
    click(0);
    const GK_DoorWithHinges* door = drawnDoor();
    ASSERT_NE(door, nullptr);
    double length = 0, width = 0, thickness = 0;
    door->GetDoorSize(length, width, thickness);
    EXPECT_DOUBLE_EQ(length, 2050);
    EXPECT_DOUBLE_EQ(width, 860);
    EXPECT_DOUBLE_EQ(thickness, 40);
    EXPECT_NE(door, order->commands().order()->rows[0].door.get()) << "the drawing holds a copy";
    EXPECT_NE(f->statusBar()->currentMessage(), PreviewNothingStatus());
    EXPECT_TRUE(f->statusBar()->currentMessage().contains(DurationText(order->commands().rowOutcomes()[0].seconds)))
        << f->statusBar()->currentMessage().toStdString();

    click(1);
    EXPECT_EQ(drawnDoor(), door);
    click(3);
    ASSERT_NE(drawnDoor(), nullptr);
    drawnDoor()->GetDoorSize(length, width, thickness);
    EXPECT_DOUBLE_EQ(length, 2100);

    // The arrow keys choose rows as the mouse does, passing the refused ones.
    for (int up = 0; up < 3; ++up)
        QTest::keyClick(&pane->grid(), Qt::Key_Up);
    ASSERT_NE(drawnDoor(), nullptr);
    drawnDoor()->GetDoorSize(length, width, thickness);
    EXPECT_DOUBLE_EQ(length, 2050);
}

// The rows follow the tool table: without tools none can be planned, and
// each says why.
TEST_F(OrderPane, TheOpenOrderIsEstimatedAgainAfterTheToolsChanged)
{
    ASSERT_TRUE(order->commands().OpenOrder(orderFile()));
    ASSERT_FALSE(rowTexts(pane->grid(), 0).value(5).isEmpty());
    f->library().setTools(GU_OwnedList<KnifeInfo>());
    QTRY_VERIFY(rowTexts(pane->grid(), 0).value(5).isEmpty());
    const RowOutcome& outcome = order->commands().rowOutcomes()[0];
    EXPECT_FALSE(outcome.usable());
    EXPECT_EQ(rowTexts(pane->grid(), 0).value(6), QString::fromStdString(outcome.reason));
}

TEST_F(OrderPane, AnOrderFileDroppedOnTheWindowIsOpened)
{
    const QString path = orderFile();
    const auto drop = [this](const QString& file) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(f, &enter);
        const bool accepted = enter.isAccepted();
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(f, &dropped);
        return accepted;
    };
    EXPECT_FALSE(drop(libraryPath(QStringLiteral("HingesKnife.xml"))));
    QTest::qWait(20);
    EXPECT_EQ(order->commands().order(), nullptr);
    EXPECT_TRUE(drop(path));
    QTRY_COMPARE(pane->grid().RowCount(), 4);
    EXPECT_EQ(order->commands().order()->path, path.toStdString());
}

} // namespace
