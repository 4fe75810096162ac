// Which door the programs are written for, as the user sees it: the door a
// pane shows on Enter as on a double click, named in the save dialog.
#include "AppFixture.h"
#include "DialogDriving.h"
#include "SampleModels.h"

#include <app/CommandIds.h>
#include <app/ModelPanes.h>
#include <app/VarnholtView.h>
#include <kernel/GK_DoorWithHinges.h>
#include <library/DoorModelFile.h>
#include <library/MachineProfileFile.h>
#include <machining/GcodeWriter.h>
#include <machining/MachiningPlan.h>

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>

namespace {

class DoorInSight : public AppFixture {
protected:
    void SetUp() override
    {
        makeFolders();
        SampleModels::writeLibrary(libraryFolder());
        SampleModels::writeMachiningTools(libraryFolder());
        // A third door, after "D2", with the other hinge at other places.
        auto d3 = SampleModels::door("D3", 1800, 800, 38);
        d3->SetHingesModel(SampleModels::hinge("H2", 80, 20));
        d3->SetHingesPos({300, 0, 0});
        d3->SetHingesPos({1500, 0, 0});
        ASSERT_TRUE(SaveDoorModelFile(d3.get(), SaveContext{libraryFolder()}));
        f = start();
    }

    // The object of the kind the drawing shows, or null.
    const GK_Object* shown(int type) const
    {
        for (const GK_Object* o = f->activeView()->operation().drawing().list().first(); o; o = o->next)
            if (o->visible && o->type() == type)
                return o;
        return nullptr;
    }
    static void press(CTreeGridCtrl& grid, Qt::Key key)
    {
        grid.setFocus();
        QTest::keyClick(&grid, key);
    }

    CMainFrame* f = nullptr;
};

TEST_F(DoorInSight, EnterShowsTheRowsModelInEveryPane)
{
    struct Pane {
        CModelPane* pane;
        int type;
        const char* name;
    };
    for (const Pane& p : {Pane{f->hingesPane(), GK_TYPE_HINGES, "H2"}, Pane{f->lockCorePane(), GK_TYPE_LOCKCORE, "L1"},
                          Pane{f->doorPane(), GK_TYPE_DOOR, "D2"}}) {
        CTreeGridCtrl& grid = p.pane->grid();
        grid.SetRowSelectedAndFocused(0);
        if (p.type != GK_TYPE_LOCKCORE)
            press(grid, Qt::Key_Down);
        press(grid, Qt::Key_Return);
        const GK_Object* object = shown(p.type);
        ASSERT_NE(object, nullptr) << p.name;
        EXPECT_EQ(static_cast<const GK_NamedObject*>(object)->GetName(), p.name);
    }
}

// The arrows move the selection away from the shown door; Enter shows the
// selected one, and its program is the one written, from a dialog that names it.
TEST_F(DoorInSight, TheProgramWrittenIsThatOfTheDoorEnterShowed)
{
    CTreeGridCtrl& doors = f->doorPane()->grid();
    emit doors.leftButtonDoubleClicked(f->library().models().doors[0]);
    doors.SetRowSelectedAndFocused(0);
    press(doors, Qt::Key_Down);
    press(doors, Qt::Key_Down);
    press(doors, Qt::Key_Return);
    const auto* door = static_cast<const GK_DoorWithHinges*>(shown(GK_TYPE_DOOR));
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(door->GetName(), "D3");

    const QString path = libraryPath(QStringLiteral("written.NC"));
    QString title, suggested;
    WhenDialogShown("QFileDialog", [&](QWidget* dialog) {
        title = dialog->windowTitle();
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            suggested = name->text();
        static_cast<QFileDialog*>(dialog)->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    });
    f->action(ID_MACHINING_HINGES)->trigger();
    EXPECT_EQ(title, QStringLiteral("保存门型“D3”的合页加工程序"));
    EXPECT_EQ(suggested, QStringLiteral("D3_合页.NC"));

    const MachineProfile profile = LoadMachineProfile(libraryFolder());
    const std::string expected = WriteGcode(PlanProgram(ProgramKind::Hinges, *door, f->library().models().knives, profile), profile);
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().toStdString(), expected);
    const GK_DoorWithHinges& first = *f->library().models().doors[0];
    EXPECT_NE(expected, WriteGcode(PlanProgram(ProgramKind::Hinges, first, f->library().models().knives, profile), profile))
        << "not the program of the door shown before";
}

} // namespace
