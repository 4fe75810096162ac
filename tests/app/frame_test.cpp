#include "AppFixture.h"

#include <app/CommandIds.h>
#include <app/CustomizeDlg.h>
#include <app/ModelPanes.h>
#include <app/VarnholtView.h>

#include <QApplication>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace {

using Frame = AppFixture;

struct Item {
    int id;
    const char* text;
};

TEST_F(Frame, EveryMenuItemHasItsTextAndId)
{
    CMainFrame* f = start();
    const Item items[] = {
        {57600, "新建(&N)\tCtrl+N"},
        {57601, "打开(&O)...\tCtrl+O"},
        {57603, "保存(&S)\tCtrl+S"},
        {57604, "另存为(&A)..."},
        {57616, "最近的文件"},
        {57665, "退出(&X)"},
        {57643, "撤消(&U)\tCtrl+Z"},
        {57635, "剪切(&T)\tCtrl+X"},
        {57634, "复制(&C)\tCtrl+C"},
        {57637, "粘贴(&P)\tCtrl+V"},
        {59392, "<占位符>"},
        {59393, "状态栏(&S)"},
        {210, "Windows 2000(&2)"},
        {211, "Office XP(&X)"},
        {212, "Windows XP(&W)"},
        {213, "Office 2003(&3)"},
        {214, "Visual Studio.NET 2005(&5)"},
        {215, "蓝色样式(&B)"},
        {216, "黑色样式(&L)"},
        {217, "银色样式(&S)"},
        {218, "水绿色样式(&A)"},
        {32776, "导入锁芯CAD图"},
        {32775, "导入合页CAD图"},
        {32778, "新增门板"},
        {32780, "生成NC文件"},
        {32782, "切换显示门板"},
        {32784, "刀具信息设置"},
        {32786, "生成合页NC文件"},
        {32788, "生成锁孔NC文件"},
        {57664, "关于 Varnholt(&A)..."},
        {126, "自定义..."},
    };
    for (const Item& item : items) {
        QAction* a = f->action(item.id);
        ASSERT_NE(a, nullptr) << item.id;
        EXPECT_EQ(a->text(), QString::fromUtf8(item.text)) << item.id;
        EXPECT_EQ(a->data().toInt(), item.id);
    }
    QStringList menus;
    for (QAction* a : f->menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, QStringList({"文件(&F)", "编辑(&E)", "视图(&V)", "工具", "帮助(&H)"}));
}

TEST_F(Frame, AcceleratorsIncludeTheAlternativeKeys)
{
    CMainFrame* f = start();
    struct Keys {
        int id;
        QList<QKeySequence> keys;
    };
    const Keys table[] = {
        {ID_FILE_NEW, {QKeySequence("Ctrl+N")}},
        {ID_FILE_OPEN, {QKeySequence("Ctrl+O")}},
        {ID_FILE_SAVE, {QKeySequence("Ctrl+S")}},
        {ID_EDIT_UNDO, {QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}},
        {ID_EDIT_CUT, {QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")}},
        {ID_EDIT_COPY, {QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}},
        {ID_EDIT_PASTE, {QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")}},
        {ID_NEXT_PANE, {QKeySequence("F6")}},
        {ID_PREV_PANE, {QKeySequence("Shift+F6")}},
    };
    for (const Keys& k : table)
        EXPECT_EQ(f->action(k.id)->shortcuts(), k.keys) << k.id;
}

TEST_F(Frame, PrintAndEditCommandsAreDisabledEverywhere)
{
    CMainFrame* f = start();
    for (int id : {ID_FILE_PRINT, ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        EXPECT_FALSE(f->action(id)->isEnabled()) << id;
    EXPECT_FALSE(f->action(ID_FILE_MRU_FILE1)->isEnabled()) << "the empty recent-file placeholder is greyed";
    // The view's context menu offers the same disabled edit commands.
    EXPECT_EQ(f->activeView()->actions(),
              (QList<QAction*>{f->action(ID_EDIT_CUT), f->action(ID_EDIT_COPY), f->action(ID_EDIT_PASTE)}));
}

TEST_F(Frame, ToolbarStatusBarAndStatusToggle)
{
    CMainFrame* f = start();
    QToolBar* bar = f->standardToolBar();
    EXPECT_EQ(bar->windowTitle(), QStringLiteral("标准"));
    EXPECT_FALSE(bar->objectName().isEmpty());
    QList<int> ids;
    for (QAction* a : bar->actions())
        ids << (a->isSeparator() ? 0 : a->data().toInt());
    EXPECT_EQ(ids, (QList<int>{57600, 57601, 57603, 0, 57635, 57634, 57637, 0, 57607, 57664, 0, 126}));

    QStringList indicators;
    for (QLabel* label : f->statusBar()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        if (label->objectName().startsWith("Indicator"))
            indicators << label->text();
    EXPECT_EQ(indicators, QStringList({"CAP", "NUM", "SCRL"}));
    EXPECT_EQ(f->statusBar()->currentMessage(), QStringLiteral("就绪"));
    f->statusBar()->showMessage(f->action(ID_FILE_NEW)->statusTip());
    f->statusBar()->clearMessage();
    EXPECT_EQ(f->statusBar()->currentMessage(), QStringLiteral("就绪")) << "the idle text returns";

    f->action(ID_VIEW_STATUS_BAR)->trigger();
    EXPECT_FALSE(f->statusBar()->isVisible());
    f->action(ID_VIEW_STATUS_BAR)->trigger();
    EXPECT_TRUE(f->statusBar()->isVisible());
}

TEST_F(Frame, ToolbarsAndPanesMenuListsBarsPanesAndCustomise)
{
    CMainFrame* f = start();
    QMenu* viewMenu = f->menuBar()->actions()[2]->menu();
    QMenu* barsMenu = viewMenu->actions()[0]->menu();
    emit barsMenu->aboutToShow();
    QStringList entries;
    for (QAction* a : barsMenu->actions())
        if (!a->isSeparator())
            entries << a->text();
    EXPECT_TRUE(entries.contains("标准"));
    EXPECT_TRUE(entries.contains("合页列表"));
    EXPECT_TRUE(entries.contains("锁芯列表"));
    EXPECT_TRUE(entries.contains("门型列表"));
    EXPECT_EQ(entries.last(), "自定义...");
}

TEST_F(Frame, CustomiseCreatesAtMostTenUserToolbarsThatComeBack)
{
    CMainFrame* f = start();
    f->action(ID_VIEW_CUSTOMIZE)->trigger();
    auto* dialog = f->findChild<CCustomizeDlg*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->isModal());
    for (int i = 0; i < CMainFrame::kMaxUserToolbars; ++i)
        ASSERT_NE(f->createUserToolbar(), nullptr);
    EXPECT_EQ(f->createUserToolbar(), nullptr);
    QToolBar* last = f->userToolbars().last();
    EXPECT_EQ(last->objectName(), QStringLiteral("UserToolBar%1").arg(ID_LAST_USER_TOOLBAR));
    EXPECT_EQ(last->actions(), QList<QAction*>{f->action(ID_VIEW_CUSTOMIZE)});

    f = restart();
    EXPECT_EQ(f->userToolbars().size(), CMainFrame::kMaxUserToolbars);
}

TEST_F(Frame, NextPaneKeyMovesTheFocusAround)
{
    CMainFrame* f = start();
    f->activeView()->setFocus();
    ASSERT_EQ(f->focusWidget(), f->activeView());
    f->action(ID_NEXT_PANE)->trigger();
    EXPECT_TRUE(f->hingesPane()->isAncestorOf(f->focusWidget()));
    f->action(ID_PREV_PANE)->trigger();
    EXPECT_EQ(f->focusWidget(), f->activeView());
    f->action(ID_PREV_PANE)->trigger();
    EXPECT_TRUE(f->doorPane()->isAncestorOf(f->focusWidget())) << "the order wraps around";
}

} // namespace
