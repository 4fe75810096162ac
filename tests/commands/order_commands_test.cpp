// The production order as the user meets it without a window: an order file
// opened, its rows and their times, all its programs (and a cancel halfway),
// its job sheet and the printout.
#include "CommandFixtures.h"
#include "ModalDriver.h"

#include <commands/MachiningCommands.h>
#include <commands/OrderCommands.h>
#include <dialogs/OrderMessages.h>
#include <dialogs/PrinterChoice.h>
#include <kernel/GK_Factories.h>
#include <orders/OrderPrograms.h>

#include <QFile>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// Sets the printer to a PDF file at once, as the print dialog would be
// answered; counts how often it was asked.
class PdfPrinter final : public PrinterChoice {
public:
    bool choose(QPrinter& printer) override
    {
        ++asked;
        if (path.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    }
    QString path; // empty: the user cancels
    int asked = 0;
};

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int pdfPages(const QString& path)
{
    return static_cast<int>(QString::fromLatin1(fileBytes(path)).count(QRegularExpression("/Type\\s*/Page\\b(?!s)")));
}

QString lastLine(const QByteArray& program)
{
    const QStringList lines = QString::fromLatin1(program).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.back().trimmed();
}

// Door model "D" (2000 x 900 x 40, hinges at 300 and 1700, the lock core at
// 1000) with the tools its programs need, and the order commands on it.
class OrderCommandTest : public CommandTest {
protected:
    OrderCommandTest()
    {
        lib.document.putDoor(lib.addMachinableDoor("D"));
        orders.setOrderChanged([this] { ++changes; });
    }

    // Writes an order file (UTF-8) into the scratch folder.
    QString orderFile(const QString& name, const QString& text) const
    {
        const QString path = temp.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        return path;
    }
    QString openedOrder(const QString& text)
    {
        const QString path = orderFile(QStringLiteral("订单A.csv"), text);
        EXPECT_TRUE(orders.OpenOrder(path));
        return path;
    }
    QString folder(const QString& name) const
    {
        QDir(temp.path()).mkdir(name);
        return temp.filePath(name);
    }

    MachiningCommands machining{host, files, messages};
    PdfPrinter printers;
    OrderCommands orders{host, files, messages, printers, machining};
    int changes = 0;
};

const QString kHeading = QStringLiteral("订单号,门型,长度,宽度,厚度,数量\n");

TEST_F(OrderCommandTest, OpeningListsEveryRowAndKeepsTheRefusedWithTheirReasons)
{
    const QString path = orderFile(QStringLiteral("订单A.csv"), kHeading
        + QStringLiteral("A1,D,2050,860,,2\nA2,无此门型,2000,900,,1\nA3,d,abc,900,,1\nA4,D,1800,800,,5\n"));
    files.paths = {path};
    orders.OnOpenOrder();
    ASSERT_EQ(files.asked.size(), 1u);
    EXPECT_FALSE(files.asked[0].save);
    EXPECT_EQ(files.asked[0].filter.patterns, (QStringList{"*.csv", "*.xlsx"}));

    ASSERT_NE(orders.order(), nullptr);
    EXPECT_EQ(changes, 1);
    const Order& order = *orders.order();
    EXPECT_EQ(order.name, "订单A");
    ASSERT_EQ(order.rows.size(), 4u);
    ASSERT_EQ(orders.rowOutcomes().size(), 4u);
    const bool usable[] = {true, false, false, true};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(order.rows[i].usable(), usable[i]) << i;
        EXPECT_EQ(orders.rowOutcomes()[i].usable(), usable[i]) << i;
        EXPECT_EQ(orders.rowOutcomes()[i].seconds > 0, usable[i]) << i;
    }
    for (std::size_t i : {1u, 2u}) {
        EXPECT_FALSE(RefusalText(order.rows[i].refusal).empty());
        EXPECT_EQ(orders.rowOutcomes()[i].reason, RefusalText(order.rows[i].refusal));
    }
    EXPECT_EQ(host.status, OrderOpenedStatus(QStringLiteral("订单A"), 4, 2));
    EXPECT_TRUE(messages.shown.empty());
}

// A file giving no rows is named with its problem; the order open before
// stays open, unchanged.
TEST_F(OrderCommandTest, AFileWithoutRowsIsNamedAndChangesNothing)
{
    openedOrder(kHeading + QStringLiteral("A1,D,2050,860,,2\n"));
    const Order* before = orders.order();
    const QString noHeading = orderFile(QStringLiteral("b.csv"), QStringLiteral("x,y\n1,2\n"));
    const QString missing = temp.filePath(QStringLiteral("不存在.csv"));
    for (const QString& path : {noHeading, missing}) {
        messages.shown.clear();
        EXPECT_FALSE(orders.OpenOrder(path));
        const OrderFile read = ReadOrderFile(path.toStdString());
        ASSERT_EQ(messages.shown.size(), 1u) << path.toStdString();
        EXPECT_EQ(messages.shown[0].kind, RecordingMessageBoxes::Kind::Warning);
        EXPECT_EQ(messages.shown[0].text,
                  OrderNotOpenedMessage(path, QString::fromStdString(OrderFileProblemText(read))));
        EXPECT_EQ(orders.order(), before);
    }
    EXPECT_EQ(changes, 1);
}

// Left out are the refused rows and a row whose lock core stands off the
// thinner edge, which only planning finds.
TEST_F(OrderCommandTest, AllProgramsGoIntoTheFolderAndTheSummarySaysWhatWasLeftOut)
{
    openedOrder(kHeading
                + QStringLiteral("A1,D,2050,860,,2\nA2,无此门型,2000,900,,1\nA3,D,1800,800,,5\nA4,D,1800,800,38,1\n"));
    ASSERT_EQ(orders.rowOutcomes().size(), 4u);
    EXPECT_TRUE(orders.order()->rows[3].usable());
    EXPECT_FALSE(orders.rowOutcomes()[3].usable()) << "the estimate finds what planning leaves out";
    const QString out = folder(QStringLiteral("out"));
    files.paths = {out};
    orders.OnWriteAllPrograms();
    QStringList expected;
    for (const std::size_t i : {0u, 2u})
        for (const ProgramKind kind : {ProgramKind::Hinges, ProgramKind::Lock})
            expected << QString::fromStdString(OrderProgramName(orders.order()->rows[i], kind));
    expected.sort();
    EXPECT_EQ(QDir(out).entryList(QDir::Files, QDir::Name), expected);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, RecordingMessageBoxes::Kind::Information);
    const QString summary = messages.shown[0].text;
    EXPECT_TRUE(summary.contains(QString::fromStdString(RefusalText(orders.order()->rows[1].refusal))))
        << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("第5行"))) << summary.toStdString();

    // Again into the same folder: asked first, and No writes nothing.
    messages.shown.clear();
    QFile::remove(QDir(out).filePath(expected[0]));
    files.paths = {out};
    orders.OnWriteAllPrograms();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, RecordingMessageBoxes::Kind::Question);
    EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), expected.size() - 1);
}

TEST_F(OrderCommandTest, WithoutAnOrderNothingIsAskedFor)
{
    orders.OnWriteAllPrograms();
    orders.OnWriteJobSheet();
    EXPECT_TRUE(files.asked.empty());
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, NoOrderMessage());
    orders.OnPrint();
    EXPECT_EQ(printers.asked, 0);
    EXPECT_EQ(messages.shown.back().text, NothingToPrintMessage());
}

// "取消" in the progress dialog stops the run between rows: the files
// written are whole programs, and no half-written or scratch file is left.
TEST_F(OrderCommandTest, CancelLeavesOnlyWholePrograms)
{
    QString text = kHeading;
    constexpr int kRows = 1500;
    for (int i = 0; i < kRows; ++i)
        text += QStringLiteral("A%1,D,%2,860,,1\n").arg(i).arg(1900 + i % 200);
    openedOrder(text);
    const QString whole = folder(QStringLiteral("whole"));
    files.paths = {whole};
    Order first;
    first.name = orders.order()->name;
    first.rows = {orders.order()->rows[0]};
    WriteOrderPrograms(first, lib.library.knives, machining.profile(), whole.toStdString());
    const QString end = lastLine(fileBytes(QDir(whole).filePath(QDir(whole).entryList(QDir::Files).value(0))));
    ASSERT_FALSE(end.isEmpty());

    const QString out = folder(QStringLiteral("out"));
    files.paths = {out};
    orders.setProgressDelay(std::chrono::milliseconds(0));
    QString label;
    WhenDialogShown("QProgressDialog", [&label](QWidget* dialog) {
        label = static_cast<QProgressDialog*>(dialog)->labelText();
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("取消"))
                QTest::mouseClick(button, Qt::LeftButton);
    });
    orders.OnWriteAllPrograms();
    EXPECT_TRUE(label.startsWith(QStringLiteral("正在生成加工程序"))) << label.toStdString();
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_TRUE(messages.shown.back().text.contains(QStringLiteral("已取消"))) << messages.shown.back().text.toStdString();
    const QStringList written = QDir(out).entryList(QDir::Files | QDir::Hidden | QDir::System);
    EXPECT_LT(written.size(), 2 * kRows);
    QStringList names;
    for (const OrderRow& row : orders.order()->rows)
        for (const ProgramKind kind : {ProgramKind::Hinges, ProgramKind::Lock})
            names << QString::fromStdString(OrderProgramName(row, kind));
    for (const QString& name : written) {
        EXPECT_TRUE(names.contains(name)) << name.toStdString();
        EXPECT_EQ(lastLine(fileBytes(QDir(out).filePath(name))), end) << name.toStdString();
    }
}

TEST_F(OrderCommandTest, TheJobSheetIsSavedWhereTheUserSays)
{
    openedOrder(kHeading + QStringLiteral("A1,D,2050,860,,2\nA2,D,1800,800,,5\n"));
    const QString path = temp.filePath(QStringLiteral("sheet.pdf"));
    files.paths = {path};
    orders.OnWriteJobSheet();
    ASSERT_EQ(files.asked.size(), 1u);
    EXPECT_TRUE(files.asked[0].save);
    EXPECT_EQ(files.asked[0].name, JobSheetFileName(QStringLiteral("订单A")));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(host.status, JobSheetWrittenStatus(path));
    EXPECT_EQ(pdfPages(path), 3) << "the rows' page and one for each usable row";
}

// The drawn door on a page of its own, then the open order's job sheet.
TEST_F(OrderCommandTest, PrintingTakesTheDrawnDoorAndTheOpenOrder)
{
    GK_Object* drawn = nullptr;
    lib.library.doors[0]->copy(&drawn);
    host.draw(std::unique_ptr<GK_Object, GK_ObjectDeleter>(drawn));
    printers.path = temp.filePath(QStringLiteral("door.pdf"));
    orders.OnPrint();
    EXPECT_EQ(pdfPages(printers.path), 1);

    openedOrder(kHeading + QStringLiteral("A1,D,2050,860,,2\nA2,无此门型,2000,900,,1\n"));
    printers.path = temp.filePath(QStringLiteral("both.pdf"));
    orders.OnPrint();
    EXPECT_EQ(pdfPages(printers.path), 1 + 1 + 1) << "the door, the rows' page, the usable row's";

    printers.path.clear();
    orders.OnPrint();
    EXPECT_EQ(printers.asked, 3);
    EXPECT_TRUE(messages.shown.empty()) << "a cancelled print says nothing";
}

} // namespace
