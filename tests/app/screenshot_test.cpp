// Renders the main window with the sample library and a displayed door to a
// PNG under the build folder, for people to look at.
#include "AppFixture.h"

#include <app/CommandIds.h>
#include <app/ModelPanes.h>
#include <app/VarnholtView.h>

#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QFile>

namespace {

void copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(source));
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(source, target);
    }
}

using Screenshot = AppFixture;

TEST_F(Screenshot, MainWindowWithTheSampleLibraryAndADoor)
{
    const QString samples = QStringLiteral(VARNHOLT_SOURCE_DIR "/samples/library");
    ASSERT_TRUE(QDir(samples).exists());
    copyTree(samples, libraryPath());
    CMainFrame* f = start();
    f->resize(1280, 800);
    QApplication::processEvents();

    ASSERT_GE(f->library().doors.count(), 1u);
    ASSERT_GE(f->library().hinges.count(), 1u);
    ASSERT_GE(f->library().lockCores.count(), 1u);
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
    const auto save = [&](const char* name) {
        const QImage shot = f->grab().toImage();
        ASSERT_FALSE(shot.isNull());
        const QString file = QDir(folder).filePath(QString::fromLatin1(name));
        ASSERT_TRUE(shot.save(file));
        EXPECT_GT(QFileInfo(file).size(), 0);
    };
    save("main_window.png");
    f->action(ID_VIEW_APPLOOK_OFF_2007_BLACK)->trigger();
    QApplication::processEvents();
    save("main_window_black.png");
}

} // namespace
