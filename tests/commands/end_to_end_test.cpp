#include "AppFixture.h"
#include "DialogDriving.h"
#include "SampleModels.h"

#include <app/CommandIds.h>
#include <app/ModelPanes.h>
#include <app/VarnholtView.h>

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStatusBar>

#include <gtest/gtest.h>

namespace {

const QString kSamples = QStringLiteral(VARNHOLT_SOURCE_DIR "/samples/cad/");
const QStringList kCadFiles{QStringLiteral("CAD 图纸 (*.dxf *.dwg)"), QStringLiteral("DXF 图纸 (*.dxf)"),
                            QStringLiteral("DWG 图纸 (*.dwg)")};
const QStringList kNcFiles{QStringLiteral("所有NC文件(*.NC)")};

// Fails the test on any message box (none is expected on the way) and
// closes it so that the test goes on.
class NoMessageBoxes {
public:
    NoMessageBoxes()
    {
        constexpr int kPollMs = 20;
        QObject::connect(&m_timer, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "message: " << box->text().toStdString();
                box->close();
            }
        });
        m_timer.start(kPollMs);
    }

private:
    QTimer m_timer;
};

// Answers the next file dialog with the path, after checking that its type
// list shows exactly the given labels.
void ChooseFile(const QString& path, const QStringList& typeLabels, std::function<void()> next = {})
{
    WhenDialogShown("QFileDialog", [path, typeLabels, next](QWidget* dialog) {
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        EXPECT_EQ(Entries(types), typeLabels);
        if (next)
            next();
        auto* files = static_cast<QFileDialog*>(dialog);
        files->selectFile(path);
        static_cast<QDialog*>(files)->accept();
    });
}

void NameImportedModel(const QString& name, const QString& thickness)
{
    WhenDialogShown("CDlgImportHinges", [=](QWidget* dialog) {
        Type(dialog, "name", name);
        Type(dialog, "comments", QStringLiteral("样品"));
        Type(dialog, "thickness", thickness);
        Click(dialog, "ok");
    });
}

class WholeProgram : public AppFixture {
protected:
    void trigger(int id)
    {
        QAction* action = frame()->action(id);
        ASSERT_NE(action, nullptr) << id;
        action->trigger();
    }
};

// A new user imports a hinge and a lock core, composes a door with both,
// shows it, writes its hinge program, and after a restart finds everything
// again.
TEST_F(WholeProgram, ImportComposeShowWriteAndFindAgainAfterRestart)
{
    const QString hingeDrawing = kSamples + "hinge_cup.dxf";
    const QString lockDrawing = kSamples + "lockcore_plate.dxf";
    ASSERT_TRUE(QFileInfo::exists(hingeDrawing) && QFileInfo::exists(lockDrawing))
        << "sample drawings not found in " << kSamples.toStdString();

    makeFolders();
    ASSERT_TRUE(QFile::copy(QStringLiteral(VARNHOLT_SOURCE_DIR "/samples/library/HingesKnife.xml"),
                            libraryPath(QStringLiteral("HingesKnife.xml"))));
    CMainFrame* f = start();
    NoMessageBoxes noMessages;

    ChooseFile(hingeDrawing, kCadFiles, [] { NameImportedModel(QStringLiteral("合页一"), "3"); });
    trigger(ID_IMPORT_HINGES_CAD);
    ChooseFile(lockDrawing, kCadFiles, [] { NameImportedModel(QStringLiteral("锁芯一"), "24"); });
    trigger(ID_IMPORT_LOCKCORE_CAD);
    ASSERT_EQ(f->hingesPane()->grid().RowCount(), 1);
    ASSERT_EQ(f->lockCorePane()->grid().RowCount(), 1);
    EXPECT_EQ(rowTexts(f->hingesPane()->grid(), 0).value(1), QStringLiteral("合页一"));
    EXPECT_FALSE(f->statusBar()->currentMessage().isEmpty()) << "the import summary is shown";

    WhenDialogShown("CDlgAddDoorModel", [](QWidget* dialog) {
        Type(dialog, "name", QStringLiteral("门一"));
        Type(dialog, "length", "2000");
        Type(dialog, "width", "800");
        Type(dialog, "thickness", "40");
        Type(dialog, "lockCoreX", "1000");
        Type(dialog, "hingePos1", "200");
        Type(dialog, "hingePos4", "1800");
        EXPECT_EQ(List(dialog, "hingesList")->currentText(), QStringLiteral("合页一"));
        EXPECT_EQ(List(dialog, "lockCoreList")->currentText(), QStringLiteral("锁芯一"));
        Click(dialog, "ok");
    });
    trigger(ID_ADD_DOOR_MODEL);
    CTreeGridCtrl& doors = f->doorPane()->grid();
    ASSERT_EQ(doors.RowCount(), 1);
    EXPECT_EQ(rowTexts(doors, 0).mid(1, 4),
              (QStringList{QStringLiteral("门一"), "2000.00", "800.00", "40.00"}));

    QTest::mouseDClick(doors.eventTarget(), Qt::LeftButton, Qt::NoModifier, doors.GetRowBounds(0).center());
    const GK_Object* shown = f->activeView()->operation().drawing().list().first();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->type(), GK_TYPE_DOOR);

    const QString nc = libraryPath(QStringLiteral("door.NC"));
    ChooseFile(nc, kNcFiles);
    trigger(ID_CREATE_HINGES_NC);
    EXPECT_GT(QFileInfo(nc).size(), 0) << "the hinge program";
    EXPECT_EQ(f->activeView()->m_ncDoor, shown);

    f = restart();
    const ModelLibrary& library = f->library().models();
    ASSERT_EQ(library.hinges.count(), 1u);
    ASSERT_EQ(library.lockCores.count(), 1u);
    ASSERT_EQ(library.doors.count(), 1u);
    EXPECT_EQ(library.hinges[0]->GetThick(), 3.0);
    EXPECT_FALSE(library.hinges[0]->GetListHole().empty()) << "the sample's holes came through";
    EXPECT_EQ(library.lockCores[0]->GetThick(), 24.0);
    const GK_DoorWithHinges& door = *library.doors[0];
    EXPECT_EQ(door.GetHingesModel(), library.hinges[0]);
    EXPECT_EQ(door.GetLockCoreModel(), library.lockCores[0]);
    std::vector<double> positions;
    for (const position& p : door.GetHingesPos())
        positions.push_back(p.x);
    EXPECT_EQ(positions, (std::vector<double>{200, 1800}));
    EXPECT_EQ(f->hingesPane()->grid().RowCount(), 1);
    EXPECT_EQ(f->lockCorePane()->grid().RowCount(), 1);
    EXPECT_EQ(f->doorPane()->grid().RowCount(), 1);
    EXPECT_EQ(rowTexts(f->lockCorePane()->grid(), 0).value(1), QStringLiteral("锁芯一"));
}

// On the real view: with only a hinge shown the NC commands find no door;
// once a door was shown and then a hinge, they find the hidden door.
TEST_F(WholeProgram, NcCommandsSearchTheViewsDrawing)
{
    makeFolders();
    SampleModels::writeLibrary(libraryFolder());
    SampleModels::writeMachiningTools(libraryFolder());
    CMainFrame* f = start();
    emit f->hingesPane()->grid().leftButtonDoubleClicked(f->library().models().hinges[0]);
    QString message;
    WhenDialogShown("QMessageBox", [&](QWidget* box) {
        message = static_cast<QMessageBox*>(box)->text();
        box->close();
    });
    trigger(ID_CREATE_LOCKHOLE_NC);
    EXPECT_EQ(message, QStringLiteral("当前不存在门模型！"));
    EXPECT_EQ(f->activeView()->m_ncDoor, nullptr);

    emit f->doorPane()->grid().leftButtonDoubleClicked(f->library().models().doors[0]);
    emit f->hingesPane()->grid().leftButtonDoubleClicked(f->library().models().hinges[1]);
    GK_Object* door = f->activeView()->operation().drawing().list().first();
    ASSERT_EQ(door->type(), GK_TYPE_DOOR);
    ASSERT_EQ(door->visible, 0);
    const QString nc = libraryPath(QStringLiteral("hinges.NC"));
    ChooseFile(nc, kNcFiles);
    trigger(ID_CREATE_HINGES_NC);
    EXPECT_GT(QFileInfo(nc).size(), 0) << "the hinge program";
    EXPECT_EQ(f->activeView()->m_ncDoor, door);
}

} // namespace
