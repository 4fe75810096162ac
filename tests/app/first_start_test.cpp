// The first minutes of a new user: where the window opens, Qt's own texts in
// Chinese, lists that show their content, pictures and tooltips, the file
// dialogs' folders, and a document that cannot be opened.
#include "AppFixture.h"
#include "ModalDriver.h"

#include <app/CommandIds.h>
#include <app/FileFolders.h>
#include <app/ModelPanes.h>
#include <app/VarnholtView.h>
#include <grid/ShortenText.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>

namespace {

using FirstStart = AppFixture;

QRect availableScreen()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

QList<CModelPane*> panesOf(CMainFrame* f)
{
    return {f->hingesPane(), f->lockCorePane(), f->doorPane()};
}

TEST_F(FirstStart, TheWindowTakesMostOfTheScreenWithThePanesBesideTheView)
{
    copySampleLibrary();
    CMainFrame* f = start();
    QApplication::processEvents();
    const QRect screen = availableScreen();
    ASSERT_EQ(screen.size(), QSize(1400, 900)) << "the suite runs on a screen of that size";
    EXPECT_NEAR(f->width(), screen.width() * 0.8, 2);
    EXPECT_NEAR(f->height(), screen.height() * 0.8, 2);
    EXPECT_NEAR(f->geometry().center().x(), screen.center().x(), 2);
    EXPECT_NEAR(f->geometry().center().y(), screen.center().y(), 2);

    const QRect view(f->activeView()->mapTo(f, QPoint()), f->activeView()->size());
    EXPECT_GE(view.width(), CVarnholtView::kMinimumSize.width()) << "the sizes are the layout test's";
    for (CModelPane* pane : panesOf(f)) {
        EXPECT_TRUE(pane->isVisible()) << pane->objectName().toStdString();
        EXPECT_FALSE(QRect(pane->mapTo(f, QPoint()), pane->size()).intersects(view))
            << pane->objectName().toStdString();
    }
}

TEST_F(FirstStart, SavedGeometryWinsLaterAndIsFittedOntoASmallerScreen)
{
    CMainFrame* f = start();
    f->setGeometry(100, 80, 900, 600);
    f = restart();
    EXPECT_EQ(f->geometry(), QRect(100, 80, 900, 600));

    f->setGeometry(0, 0, 3000, 2000); // saved on a larger screen than this one
    f = restart();
    EXPECT_TRUE(availableScreen().contains(f->frameGeometry())) << f->frameGeometry().width();
}

TEST_F(FirstStart, StandardMessageBoxesAndFileDialogsSpeakChinese)
{
    start();
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("是(&Y)"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("否(&N)"));
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    EXPECT_EQ(dialog.labelText(QFileDialog::Reject), QStringLiteral("取消"));
}

TEST_F(FirstStart, EveryPaneColumnShowsItsWidestCellWhole)
{
    copySampleLibrary();
    CMainFrame* f = start();
    for (CModelPane* pane : panesOf(f)) {
        const CTreeGridCtrl& grid = pane->grid();
        ASSERT_GT(grid.RowCount(), 0);
        const QFontMetrics metrics(grid.eventTarget()->font());
        for (int row = 0; row < grid.RowCount(); ++row) {
            const QStringList texts = rowTexts(grid, row);
            for (int c = 1; c < grid.ColumnCount(); ++c)
                EXPECT_TRUE(TextFits(metrics, texts[c], grid.ColumnWidth(c), 12))
                    << pane->objectName().toStdString() << " " << texts[c].toStdString();
        }
    }
}

TEST_F(FirstStart, ColumnWidthsTheUserGivesComeBack)
{
    copySampleLibrary();
    CMainFrame* f = start();
    f->doorPane()->grid().findChild<QHeaderView*>()->resizeSection(1, 222);
    f = restart();
    EXPECT_EQ(f->doorPane()->grid().ColumnWidth(1), 222);
    EXPECT_EQ(f->doorPane()->grid().UserColumnWidths().value(1), 222);
    EXPECT_EQ(f->hingesPane()->grid().UserColumnWidths(), (QList<int>{0, 0, 0}));
}

TEST_F(FirstStart, ToolbarButtonsHaveOurPicturesAndNameTheirShortcuts)
{
    CMainFrame* f = start();
    const std::pair<int, const char*> tips[] = {
        {ID_FILE_NEW, "新建 (Ctrl+N)"}, {ID_FILE_OPEN, "打开 (Ctrl+O)"},   {ID_FILE_SAVE, "保存 (Ctrl+S)"},
        {ID_EDIT_CUT, "剪切 (Ctrl+X)"}, {ID_EDIT_COPY, "复制 (Ctrl+C)"},   {ID_EDIT_PASTE, "粘贴 (Ctrl+V)"},
        {ID_FILE_PRINT, "打印 (Ctrl+P)"}, {ID_APP_ABOUT, "关于 Varnholt"}, {ID_VIEW_CUSTOMIZE, "自定义"},
    };
    for (const auto& [id, tip] : tips) {
        EXPECT_EQ(f->action(id)->toolTip(), QString::fromUtf8(tip)) << id;
        EXPECT_FALSE(f->action(id)->icon().isNull()) << id;
    }
    // The dark look has pictures of its own.
    const QImage light = f->action(ID_FILE_NEW)->icon().pixmap(16).toImage();
    f->action(ID_VIEW_APPLOOK_OFF_2007_BLACK)->trigger();
    EXPECT_NE(f->action(ID_FILE_NEW)->icon().pixmap(16).toImage(), light);
}

TEST_F(FirstStart, TheImportDialogStartsAmongTheSamplesThenWhereItWasLastUsed)
{
    const QString kind = QStringLiteral("dxf");
    EXPECT_TRUE(FileFolders::startFolder(libraryFolder(), kind).isEmpty());
    QDir(libraryPath()).mkpath(QLatin1String(FileFolders::kSampleDrawings));
    const QString samples = libraryPath(QLatin1String(FileFolders::kSampleDrawings));
    EXPECT_EQ(FileFolders::startFolder(libraryFolder(), kind), samples);
    EXPECT_TRUE(FileFolders::startFolder(libraryFolder(), QStringLiteral("NC")).isEmpty()) << "NC files have no samples";

    CMainFrame* f = start();
    QString opened;
    WhenDialogShown("QFileDialog", [&](QWidget* modal) {
        auto* dialog = static_cast<QFileDialog*>(modal);
        opened = dialog->directory().absolutePath();
        dialog->selectFile(libraryPath("Hinges"));
        dialog->reject();
    });
    f->action(ID_IMPORT_HINGES_CAD)->trigger();
    EXPECT_EQ(opened, samples);

    QDir(libraryPath()).mkpath("drawings");
    FileFolders::remember(kind, libraryPath("drawings"));
    EXPECT_EQ(FileFolders::startFolder(libraryFolder(), kind), libraryPath("drawings"));
    QDir(libraryPath("drawings")).removeRecursively();
    EXPECT_EQ(FileFolders::startFolder(libraryFolder(), kind), samples) << "a folder that is gone is not offered";
}

TEST_F(FirstStart, ARecentFileThatCannotBeOpenedIsNamedInAMessage)
{
    CMainFrame* f = start();
    const QString path = libraryPath("plan.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(f->openDocumentFile(path));
    ASSERT_TRUE(QFile::remove(path));

    QString said;
    WhenDialogShown("QMessageBox", [&](QWidget* modal) {
        said = static_cast<QMessageBox*>(modal)->text();
        static_cast<QMessageBox*>(modal)->accept();
    });
    f->action(ID_FILE_MRU_FILE1)->trigger();
    EXPECT_EQ(said, QStringLiteral("无法打开文件“%1”：文件不存在。").arg(path));
}

} // namespace
