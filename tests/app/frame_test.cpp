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

// The entries of a menu as the user meets them: "text id" for a command, "-"
// for a separator, and a submenu as "title {", its entries, "}".
QStringList entries(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator()) {
            out << QStringLiteral("-");
        } else if (a->menu()) {
            out << a->text() + QStringLiteral(" {") << entries(a->menu()) << QStringLiteral("}");
        } else {
            out << QStringLiteral("%1 %2").arg(a->text()).arg(a->data().toInt());
        }
    }
    return out;
}

QStringList utf8List(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list << QString::fromUtf8(text);
    return list;
}

// Walks the menu bar as it stands: which menu holds each item, in which order,
// under which text and id.
TEST_F(Frame, MenusHoldTheirItemsInOrder)
{
    CMainFrame* f = start();
    struct Menu {
        const char* title;
        QStringList items;
    };
    const Menu expected[] = {
        {"文件(&F)", utf8List({"新建(&N)\tCtrl+N 57600", "打开(&O)...\tCtrl+O 57601", "保存(&S)\tCtrl+S 57603",
                               "另存为(&A)... 57604", "-", "打印(&P)...\tCtrl+P 57607", "-", "最近的文件 57616", "-", "退出(&X) 57665"})},
        {"编辑(&E)", utf8List({"撤消(&U)\tCtrl+Z 57643", "-", "剪切(&T)\tCtrl+X 57635", "复制(&C)\tCtrl+C 57634",
                               "粘贴(&P)\tCtrl+V 57637"})},
        {"视图(&V)", utf8List({"工具栏和停靠窗口(&T) {", "<占位符> 59392", "}", "状态栏(&S) 59393",
                               "刷新(&R)\tF5 32798", "未读入的文件(&K)... 32800", "应用程序外观(&A) {", "Windows 2000(&2) 210",
                               "Office XP(&X) 211", "Windows XP(&W) 212",
                               "Office 2003(&3) 213", "Visual Studio.NET 2005(&5) 214", "Office 2007(&7) {",
                               "蓝色样式(&B) 215", "黑色样式(&L) 216", "银色样式(&S) 217", "水绿色样式(&A) 218", "}", "}"})},
        {"工具", utf8List({"导入锁芯CAD图 32776", "导入合页CAD图 32775", "新增门板 32778", "生成NC文件 32780",
                           "切换显示门板 32782", "刀具信息设置 32784", "生成合页NC文件 32786", "生成锁孔NC文件 32788"})},
        {"加工(&M)", utf8List({"生成合页加工程序... 32790", "生成锁孔加工程序... 32792", "加工预览 32794",
                           "机床设置... 32796", "-", "生产单... 32812", "生成全部程序... 32814",
                           "生成生产单PDF... 32816"})},
        {"库(&L)", utf8List({"编辑... 32802", "重命名\tF2 32804", "复制为... 32806", "删除\tDel 32808", "-",
                             "撤销\tCtrl+Z 32810"})},
        {"帮助(&H)", utf8List({"关于 Varnholt(&A)... 57664"})},
    };
    const QList<QAction*> menus = f->menuBar()->actions();
    ASSERT_EQ(menus.size(), static_cast<qsizetype>(std::size(expected)));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(menus[i]->text(), QString::fromUtf8(expected[i].title));
        ASSERT_NE(menus[i]->menu(), nullptr) << expected[i].title;
        EXPECT_EQ(entries(menus[i]->menu()), expected[i].items) << expected[i].title;
    }
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
        {ID_VIEW_REFRESH, {QKeySequence("F5")}},
        {ID_FILE_PRINT, {QKeySequence("Ctrl+P")}},
    };
    for (const Keys& k : table)
        EXPECT_EQ(f->action(k.id)->shortcuts(), k.keys) << k.id;
}

TEST_F(Frame, EditCommandsAreDisabledEverywhere)
{
    CMainFrame* f = start();
    for (int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        EXPECT_FALSE(f->action(id)->isEnabled()) << id;
    EXPECT_TRUE(f->action(ID_FILE_PRINT)->isEnabled()) << "prints the drawing and the open order";
    EXPECT_TRUE(f->action(ID_EDIT_UNDO)->isEnabled()) << "undoes the library's operations";
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
