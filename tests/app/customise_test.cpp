// Customising the toolbars: commands dragged onto toolbars, buttons dragged
// off, user toolbars renamed and deleted, user images given to commands; all
// of it kept across a restart of the main frame.
#include "AppFixture.h"

#include <app/CommandIds.h>
#include <app/CustomizeDlg.h>
#include <app/ToolbarCustomizing.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QPushButton>
#include <QToolBar>

#include <memory>

namespace {

using Customise = AppFixture;

QList<int> commandsOn(const QToolBar* bar)
{
    QList<int> ids;
    for (const QAction* a : bar->actions())
        ids << (a->isSeparator() ? 0 : a->data().toInt());
    return ids;
}

CCustomizeDlg* openCustomise(CMainFrame* f)
{
    f->action(ID_VIEW_CUSTOMIZE)->trigger();
    return f->findChild<CCustomizeDlg*>();
}

// Ends a drag over the toolbar at pos, as the user letting go there does.
bool dropOn(QToolBar* bar, QMimeData* data, QPoint pos)
{
    const std::unique_ptr<QMimeData> owned(data);
    QDragEnterEvent enter(pos, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(pos), Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &drop);
    return drop.isAccepted();
}

TEST_F(Customise, TheCommandsPageListsEveryMenuCommandByMenu)
{
    CMainFrame* f = start();
    QStringList menus;
    int commands = 0;
    for (const auto& [menu, actions] : f->menuCommands()) {
        menus << menu;
        commands += int(actions.size());
    }
    EXPECT_EQ(menus, QStringList({"文件", "编辑", "视图", "工具", "加工", "库", "帮助"}));
    EXPECT_EQ(commands, 6 + 4 + 12 + 8 + 7 + 5 + 1) << "file, edit, view with the looks, tools, machining, library, help";
}

TEST_F(Customise, ACommandDraggedOntoAUserToolbarStaysThereAfterARestart)
{
    CMainFrame* f = start();
    CCustomizeDlg* dialog = openCustomise(f);
    ASSERT_NE(dialog, nullptr);
    QToolBar* bar = f->createUserToolbar();
    bar->show();
    QApplication::processEvents();

    EXPECT_TRUE(dropOn(bar, dialog->dragDataOf(ID_KNIFE_SETTING), QPoint(bar->width() - 2, bar->height() / 2)));
    const QRect customise = bar->actionGeometry(f->action(ID_VIEW_CUSTOMIZE));
    EXPECT_TRUE(dropOn(bar, dialog->dragDataOf(ID_FILE_OPEN), customise.topLeft() + QPoint(1, 1)));
    EXPECT_EQ(commandsOn(bar), (QList<int>{ID_FILE_OPEN, ID_VIEW_CUSTOMIZE, ID_KNIFE_SETTING}));
    f->renameUserToolbar(bar, QStringLiteral("我的工具"));

    f = restart();
    ASSERT_EQ(f->userToolbars().size(), 1);
    EXPECT_EQ(f->userToolbars()[0]->windowTitle(), QStringLiteral("我的工具"));
    EXPECT_EQ(commandsOn(f->userToolbars()[0]), (QList<int>{ID_FILE_OPEN, ID_VIEW_CUSTOMIZE, ID_KNIFE_SETTING}));
}

TEST_F(Customise, ButtonsMoveBetweenToolbarsAndUserToolbarsCanBeDeleted)
{
    CMainFrame* f = start();
    CCustomizeDlg* dialog = openCustomise(f);
    QToolBar* bar = f->createUserToolbar();
    bar->show();
    QApplication::processEvents();
    // A button dropped beside every other button of its toolbar moves to the end.
    ToolbarCustomizing& customizing = dialog->customizing();
    QToolBar* standard = f->standardToolBar();
    ASSERT_TRUE(customizing.dropCommand(standard, ID_FILE_SAVE, QPoint(-1, -1)));
    EXPECT_EQ(commandsOn(standard).last(), ID_FILE_SAVE);
    f->deleteUserToolbar(bar);
    EXPECT_TRUE(f->userToolbars().isEmpty());

    f = restart();
    EXPECT_TRUE(f->userToolbars().isEmpty());
    EXPECT_EQ(commandsOn(f->standardToolBar()), (QList<int>{57600, 57601, 0, 57635, 57634, 57637, 0, 57607, 57664, 0,
                                                            126, 57603}));
    QToolBar* again = f->createUserToolbar();
    EXPECT_EQ(again->objectName(), QStringLiteral("UserToolBar%1").arg(ID_FIRST_USER_TOOLBAR)) << "ids are reused";
}

// "取消" takes back what was changed while the dialog was open: a button
// dropped on the standard toolbar, a user toolbar made, another deleted, a
// toolbar hidden.
TEST_F(Customise, CancelBringsBackTheToolbarsAsTheDialogFoundThem)
{
    CMainFrame* f = start();
    QToolBar* kept = f->createUserToolbar();
    f->renameUserToolbar(kept, QStringLiteral("保留"));
    kept->show();
    const QList<int> standardBefore = commandsOn(f->standardToolBar());
    CCustomizeDlg* dialog = openCustomise(f);
    ASSERT_TRUE(dialog->customizing().dropCommand(f->standardToolBar(), ID_FILE_SAVE, QPoint(-1, -1)));
    f->createUserToolbar()->show();
    f->deleteUserToolbar(kept);
    f->standardToolBar()->hide();
    ASSERT_NE(commandsOn(f->standardToolBar()), standardBefore);

    QPushButton* cancel = dialog->findChild<QPushButton*>(QStringLiteral("cancel"));
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), QStringLiteral("取消"));
    cancel->click();
    EXPECT_EQ(commandsOn(f->standardToolBar()), standardBefore);
    EXPECT_TRUE(f->standardToolBar()->isVisible());
    ASSERT_EQ(f->userToolbars().size(), 1);
    EXPECT_EQ(f->userToolbars()[0]->windowTitle(), QStringLiteral("保留"));
    EXPECT_EQ(commandsOn(f->userToolbars()[0]), QList<int>{ID_VIEW_CUSTOMIZE});

    f = restart();
    ASSERT_EQ(f->userToolbars().size(), 1);
    EXPECT_EQ(commandsOn(f->standardToolBar()), standardBefore);
}

TEST_F(Customise, AUserImageGivenToACommandIsItsPictureFromThenOn)
{
    const QString previous = QDir::currentPath();
    QDir::setCurrent(libraryPath());
    QImage strip(32, 16, QImage::Format_RGB32);
    strip.fill(Qt::green);
    ASSERT_TRUE(strip.save(libraryPath("UserImages.bmp"), "BMP"));
    CMainFrame* f = start();
    ASSERT_EQ(f->userImages().size(), 2);
    f->assignUserImage(ID_KNIFE_SETTING, 1);
    f = restart();
    EXPECT_EQ(f->action(ID_KNIFE_SETTING)->icon().pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::green));
    f->assignUserImage(ID_KNIFE_SETTING, -1);
    f = restart();
    EXPECT_TRUE(f->action(ID_KNIFE_SETTING)->icon().isNull()) << "the command has no picture of its own";
    stop();
    QDir::setCurrent(previous);
}

} // namespace
