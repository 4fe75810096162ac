// The import command on a drawing that takes a minute to parse, with the
// real importer and a reader process standing in for a slow one: the window
// keeps handling events, the progress dialog comes up with the stage and
// "取消", and pressing it ends the import at once, leaving nothing behind.
#include "CommandFixtures.h"

#include <importer/ReaderProcess.h>

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/wait.h>

namespace {

// A window that counts the timer ticks and repaints it got.
class BusyWindow : public QWidget {
public:
    BusyWindow()
    {
        resize(200, 100);
        QObject::connect(&m_tick, &QTimer::timeout, this, [this] {
            ++ticks;
            update();
        });
        m_tick.start(20);
    }
    int ticks = 0;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }

private:
    QTimer m_tick;
};

QPushButton* buttonLabelled(QWidget* dialog, const QString& text)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

using ImportProgressTest = CommandTest;

TEST_F(ImportProgressTest, SlowDrawingShowsProgressAndCancelEndsItAtOnce)
{
    const auto slowReader = std::filesystem::path(temp.path().toStdString()) / "slow";
    std::filesystem::create_symlink(VARNHOLT_BINARY_DIR "/tests/importer/fake_dxf_reader", slowReader);
    ReaderOptions options;
    options.program = slowReader.string();
    CadImporter slowImporter(readerProcessParser(options));
    ModelCommands slowCommands(host, slowImporter, files, messages);

    QFile drawing(cadPath());
    ASSERT_TRUE(drawing.open(QIODevice::WriteOnly));
    drawing.write("0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n");
    drawing.close();
    files.paths.push_back(cadPath());

    BusyWindow window;
    window.show();
    QElapsedTimer clock;
    qint64 shownAt = -1, cancelledAt = -1;
    QString stage;
    bool hadCancel = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || cancelledAt >= 0)
            return;
        shownAt = clock.elapsed();
        stage = dialog->labelText();
        QPushButton* cancel = buttonLabelled(dialog, QStringLiteral("取消"));
        hadCancel = cancel != nullptr;
        cancelledAt = clock.elapsed();
        if (cancel)
            QTest::mouseClick(cancel, Qt::LeftButton);
        else
            dialog->cancel();
    });
    watch.start(10);

    clock.start();
    const int ticksBefore = window.ticks, paintsBefore = window.paints;
    slowCommands.OnImportHinges();
    const qint64 endedAt = clock.elapsed();

    ASSERT_GE(cancelledAt, 0) << "no progress dialog came up";
    EXPECT_GE(shownAt, 490); // half a second, give or take the clocks' rounding
    EXPECT_EQ(stage, QStringLiteral("正在读取图纸…"));
    EXPECT_TRUE(hadCancel);
    // Killing the reader takes milliseconds; the bound is loose for busy machines.
    EXPECT_LT(endedAt - cancelledAt, 5000);
    // The window's timer and repaints ran while the import did.
    EXPECT_GE(window.ticks - ticksBefore, 5);
    EXPECT_GE(window.paints - paintsBefore, 5);

    EXPECT_EQ(slowImporter.report().failure.problem, ImportProblem::Cancelled);
    EXPECT_EQ(host.status, QStringLiteral("导入已取消"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(host.hingeRefills, 0);
    EXPECT_TRUE(QDir(libraryFile(QStringLiteral("Hinges"))).isEmpty());
    EXPECT_EQ(slowImporter.get_hinges_model(), nullptr);
    EXPECT_TRUE(::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD) << "the reader was left running";
}

} // namespace
