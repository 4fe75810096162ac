// The main frame's commands: actions with their ids, menus, toolbar and
// status bar.
#include <app/CommandIds.h>
#include <app/CommandNames.h>
#include <app/Looks.h>
#include <app/MainFrame.h>
#include <app/ModelPanes.h>
#include <app/ToolbarIcons.h>
#include <app/VarnholtView.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <functional>

namespace {

struct LookItem {
    int id;
    const char* text;
};

const LookItem kPlainLooks[] = {
    {ID_VIEW_APPLOOK_WIN_2000, "Windows 2000(&2)"},
    {ID_VIEW_APPLOOK_OFF_XP, "Office XP(&X)"},
    {ID_VIEW_APPLOOK_WIN_XP, "Windows XP(&W)"},
    {ID_VIEW_APPLOOK_OFF_2003, "Office 2003(&3)"},
    {ID_VIEW_APPLOOK_VS_2005, "Visual Studio.NET 2005(&5)"},
};

const LookItem kOffice2007Looks[] = {
    {ID_VIEW_APPLOOK_OFF_2007_BLUE, "蓝色样式(&B)"},
    {ID_VIEW_APPLOOK_OFF_2007_BLACK, "黑色样式(&L)"},
    {ID_VIEW_APPLOOK_OFF_2007_SILVER, "银色样式(&S)"},
    {ID_VIEW_APPLOOK_OFF_2007_AQUA, "水绿色样式(&A)"},
};

struct CommandText {
    int id;
    const char* text;
};

const CommandText kToolItems[] = {
    {ID_IMPORT_LOCKCORE_CAD, "导入锁芯CAD图"}, {ID_IMPORT_HINGES_CAD, "导入合页CAD图"},
    {ID_ADD_DOOR_MODEL, "新增门板"},           {ID_CREATE_NC_FILE, "生成NC文件"},
    {ID_SHOW_DOOR, "切换显示门板"},            {ID_KNIFE_SETTING, "刀具信息设置"},
    {ID_CREATE_HINGES_NC, "生成合页NC文件"},   {ID_CREATE_LOCKHOLE_NC, "生成锁孔NC文件"},
};

const CommandText kMachiningItems[] = {
    {ID_MACHINING_HINGES, "生成合页加工程序..."},
    {ID_MACHINING_LOCK, "生成锁孔加工程序..."},
    {ID_MACHINING_PREVIEW, "加工预览"},
    {ID_MACHINE_PROFILE, "机床设置..."},
};

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// What the status bar says while the pointer rests on a command.
const CommandText kStatusTips[] = {
    {ID_FILE_NEW, "新建一个空文档"},
    {ID_FILE_OPEN, "打开一个文档"},
    {ID_FILE_SAVE, "保存当前文档"},
    {ID_FILE_SAVE_AS, "以新的文件名保存当前文档"},
    {ID_FILE_PRINT, "打印当前文档"},
    {ID_APP_EXIT, "关闭程序"},
    {ID_EDIT_UNDO, "撤消上一次操作"},
    {ID_EDIT_CUT, "剪切选中的内容"},
    {ID_EDIT_COPY, "复制选中的内容"},
    {ID_EDIT_PASTE, "粘贴剪贴板中的内容"},
    {ID_VIEW_STATUS_BAR, "显示或隐藏状态栏"},
    {ID_VIEW_CUSTOMIZE, "自定义工具栏和停靠窗口"},
    {ID_APP_ABOUT, "显示程序名称和版本"},
    {ID_VIEW_REFRESH, "从磁盘重新读取模型库和刀具表"},
    {ID_VIEW_PASSED_OVER, "列出读入模型库时跳过的文件和缺少模型的门型"},
    {ID_MACHINING_HINGES, "为图中的门型生成合页的加工程序"},
    {ID_MACHINING_LOCK, "为图中的门型生成锁孔的加工程序"},
    {ID_MACHINING_PREVIEW, "在门板上显示或隐藏刀具路径"},
    {ID_MACHINE_PROFILE, "设置机床的坐标系和加工程序的格式"},
};

} // namespace

QAction* CMainFrame::addCommand(int id, const QString& label, const QList<QKeySequence>& keys)
{
    auto* a = new QAction(label, this);
    a->setData(id);
    if (!keys.isEmpty())
        a->setShortcuts(keys);
    m_actions[id] = a;
    return a;
}

void CMainFrame::createActions()
{
    addCommand(ID_FILE_NEW, text("新建(&N)\tCtrl+N"), {QKeySequence(Qt::CTRL | Qt::Key_N)});
    addCommand(ID_FILE_OPEN, text("打开(&O)...\tCtrl+O"), {QKeySequence(Qt::CTRL | Qt::Key_O)});
    addCommand(ID_FILE_SAVE, text("保存(&S)\tCtrl+S"), {QKeySequence(Qt::CTRL | Qt::Key_S)});
    addCommand(ID_FILE_SAVE_AS, text("另存为(&A)..."));
    addCommand(ID_FILE_PRINT, text("打印(&P)..."));
    addCommand(ID_APP_EXIT, text("退出(&X)"));
    connect(action(ID_FILE_NEW), &QAction::triggered, this, &CMainFrame::OnFileNew);
    connect(action(ID_FILE_OPEN), &QAction::triggered, this, &CMainFrame::OnFileOpen);
    connect(action(ID_FILE_SAVE), &QAction::triggered, this, &CMainFrame::OnFileSave);
    connect(action(ID_FILE_SAVE_AS), &QAction::triggered, this, &CMainFrame::OnFileSaveAs);
    connect(action(ID_APP_EXIT), &QAction::triggered, this, &QWidget::close);

    addCommand(ID_EDIT_UNDO, text("撤消(&U)\tCtrl+Z"),
               {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    addCommand(ID_EDIT_CUT, text("剪切(&T)\tCtrl+X"),
               {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    addCommand(ID_EDIT_COPY, text("复制(&C)\tCtrl+C"),
               {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    addCommand(ID_EDIT_PASTE, text("粘贴(&P)\tCtrl+V"),
               {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    // Printing and editing have no handler in this program: they stay disabled.
    for (int id : {ID_FILE_PRINT, ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        action(id)->setEnabled(false);

    QAction* statusBarToggle = addCommand(ID_VIEW_STATUS_BAR, text("状态栏(&S)"));
    statusBarToggle->setCheckable(true);
    statusBarToggle->setChecked(true);
    connect(statusBarToggle, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
    connect(addCommand(ID_VIEW_CUSTOMIZE, text("自定义...")), &QAction::triggered, this,
            &CMainFrame::OnViewCustomize);

    m_lookGroup = new QActionGroup(this);
    m_lookGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    auto addLook = [this](const LookItem& item) {
        QAction* a = addCommand(item.id, text(item.text));
        a->setCheckable(true);
        m_lookGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, id = item.id] { OnApplicationLook(id); });
    };
    for (const LookItem& item : kPlainLooks)
        addLook(item);
    for (const LookItem& item : kOffice2007Looks)
        addLook(item);
    updateLookMarks();

    for (const CommandText& item : kToolItems)
        addCommand(item.id, text(item.text));
    for (const CommandText& item : kMachiningItems)
        addCommand(item.id, text(item.text));
    action(ID_MACHINING_PREVIEW)->setCheckable(true);
    connect(action(ID_SHOW_DOOR), &QAction::triggered, m_view, &CVarnholtView::OnShowDoor);

    connect(addCommand(ID_APP_ABOUT, text("关于 Varnholt(&A)...")), &QAction::triggered, this,
            &CMainFrame::OnAppAbout);

    QAction* refresh = addCommand(ID_VIEW_REFRESH, text("刷新(&R)\tF5"), {QKeySequence(Qt::Key_F5)});
    connect(refresh, &QAction::triggered, this, &CMainFrame::reloadLibrary);
    addAction(refresh);
    connect(addCommand(ID_VIEW_PASSED_OVER, text("未读入的文件(&K)...")), &QAction::triggered, this,
            &CMainFrame::OnViewPassedOver);

    QAction* next = addCommand(ID_NEXT_PANE, text("下一窗格"), {QKeySequence(Qt::Key_F6)});
    QAction* previous = addCommand(ID_PREV_PANE, text("上一窗格"), {QKeySequence(Qt::SHIFT | Qt::Key_F6)});
    connect(next, &QAction::triggered, this, [this] { focusNeighbourPane(1); });
    connect(previous, &QAction::triggered, this, [this] { focusNeighbourPane(-1); });
    addAction(next);
    addAction(previous);

    for (const CommandText& tip : kStatusTips)
        action(tip.id)->setStatusTip(text(tip.text));
    for (const auto& [id, a] : m_actions)
        a->setToolTip(CommandToolTip(*a));
    applyCommandIcons();

    // The "编辑" context menu of the view.
    m_view->addActions({action(ID_EDIT_CUT), action(ID_EDIT_COPY), action(ID_EDIT_PASTE)});
}

void CMainFrame::createMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MenuBar"));

    m_fileMenu = bar->addMenu(text("文件(&F)"));
    m_fileMenu->addActions({action(ID_FILE_NEW), action(ID_FILE_OPEN), action(ID_FILE_SAVE), action(ID_FILE_SAVE_AS)});
    m_fileMenu->addSeparator();
    m_recentAnchor = m_fileMenu->addSeparator();
    m_fileMenu->addAction(action(ID_APP_EXIT));
    rebuildRecentFiles();

    QMenu* edit = bar->addMenu(text("编辑(&E)"));
    edit->addAction(action(ID_EDIT_UNDO));
    edit->addSeparator();
    edit->addActions({action(ID_EDIT_CUT), action(ID_EDIT_COPY), action(ID_EDIT_PASTE)});

    QMenu* view = bar->addMenu(text("视图(&V)"));
    m_toolbarsMenu = view->addMenu(text("工具栏和停靠窗口(&T)"));
    m_toolbarsMenu->addAction(addCommand(ID_VIEW_TOOLBARS_PLACEHOLDER, text("<占位符>")));
    connect(m_toolbarsMenu, &QMenu::aboutToShow, this, &CMainFrame::fillToolbarsMenu);
    view->addAction(action(ID_VIEW_STATUS_BAR));
    view->addAction(action(ID_VIEW_REFRESH));
    view->addAction(action(ID_VIEW_PASSED_OVER));
    QMenu* looks = view->addMenu(text("应用程序外观(&A)"));
    for (const LookItem& item : kPlainLooks)
        looks->addAction(action(item.id));
    QMenu* office2007 = looks->addMenu(text("Office 2007(&7)"));
    for (const LookItem& item : kOffice2007Looks)
        office2007->addAction(action(item.id));

    QMenu* tools = bar->addMenu(text("工具"));
    for (const CommandText& item : kToolItems)
        tools->addAction(action(item.id));

    QMenu* machining = bar->addMenu(text("加工"));
    for (const CommandText& item : kMachiningItems)
        machining->addAction(action(item.id));

    QMenu* help = bar->addMenu(text("帮助(&H)"));
    help->addAction(action(ID_APP_ABOUT));
}

void CMainFrame::createToolBars()
{
    m_toolBar = addToolBar(text("标准"));
    m_toolBar->setObjectName(QStringLiteral("StandardToolBar"));
    m_toolBar->setIconSize(QSize(kToolbarIconSize, kToolbarIconSize));
    m_toolBar->addActions({action(ID_FILE_NEW), action(ID_FILE_OPEN), action(ID_FILE_SAVE)});
    m_toolBar->addSeparator();
    m_toolBar->addActions({action(ID_EDIT_CUT), action(ID_EDIT_COPY), action(ID_EDIT_PASTE)});
    m_toolBar->addSeparator();
    m_toolBar->addActions({action(ID_FILE_PRINT), action(ID_APP_ABOUT)});
    m_toolBar->addSeparator();
    m_toolBar->addAction(action(ID_VIEW_CUSTOMIZE));
}

void CMainFrame::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        auto* label = new QLabel(QString::fromLatin1(indicator), bar);
        label->setObjectName(QStringLiteral("Indicator") + QString::fromLatin1(indicator));
        label->setAlignment(Qt::AlignCenter);
        bar->addPermanentWidget(label);
    }
    // What loading passed over stays in view until the next load; a click
    // opens the list.
    m_passedOverNote = new QLabel(bar);
    m_passedOverNote->setObjectName(QStringLiteral("PassedOverNote"));
    m_passedOverNote->setTextFormat(Qt::RichText);
    m_passedOverNote->hide();
    connect(m_passedOverNote, &QLabel::linkActivated, this, &CMainFrame::OnViewPassedOver);
    bar->addPermanentWidget(m_passedOverNote);
    // The idle text comes back whenever a command prompt goes away.
    const QString idle = text("就绪");
    connect(bar, &QStatusBar::messageChanged, bar, [bar, idle](const QString& message) {
        if (message.isEmpty())
            bar->showMessage(idle);
    });
    bar->showMessage(idle);
}

// The commands' pictures for the current look; a user image given to a
// command takes the place of its own picture.
void CMainFrame::applyCommandIcons()
{
    const bool dark = ToolbarIcons::isDark(QApplication::palette());
    for (const auto& [id, a] : m_actions) {
        const int image = m_commandImages.value(id, -1);
        if (image >= 0 && image < m_userImages.size())
            a->setIcon(QIcon(m_userImages[image]));
        else
            a->setIcon(ToolbarIcons::forCommand(id, dark));
    }
}

QList<QPair<QString, QList<QAction*>>> CMainFrame::menuCommands() const
{
    QList<QPair<QString, QList<QAction*>>> menus;
    // The recent files and the list of toolbars and panes are entries of
    // the moment, not commands.
    const auto isCommand = [this](QAction* a) {
        const int id = a->data().toInt();
        const bool recentFile = id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + AppSettings::kRecentFileCount;
        return !a->isSeparator() && action(id) == a && !recentFile;
    };
    const std::function<void(const QMenu*, QList<QAction*>&)> collect = [&](const QMenu* menu,
                                                                            QList<QAction*>& commands) {
        for (QAction* a : menu->actions()) {
            if (a->menu() && a->menu() != m_toolbarsMenu)
                collect(a->menu(), commands);
            else if (!a->menu() && isCommand(a))
                commands.append(a);
        }
    };
    for (QAction* top : menuBar()->actions()) {
        if (!top->menu())
            continue;
        QList<QAction*> commands;
        collect(top->menu(), commands);
        menus.append({CommandName(top->text()), commands});
    }
    return menus;
}

void CMainFrame::updateLookMarks()
{
    if (!m_lookGroup)
        return;
    for (QAction* a : m_lookGroup->actions())
        a->setChecked(a->data().toInt() == m_look);
}

void CMainFrame::rebuildRecentFiles()
{
    if (!m_fileMenu)
        return;
    for (QAction* a : m_recentActions) {
        m_fileMenu->removeAction(a);
        m_actions.erase(a->data().toInt());
        a->deleteLater();
    }
    m_recentActions.clear();
    const QStringList files = m_recentFiles.files();
    if (files.isEmpty()) {
        QAction* placeholder = addCommand(ID_FILE_MRU_FILE1, text("最近的文件"));
        placeholder->setEnabled(false);
        m_recentActions.append(placeholder);
    }
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QAction* a = addCommand(ID_FILE_MRU_FILE1 + i,
                                QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        connect(a, &QAction::triggered, this, [this, path] { openDocumentAndReport(path); });
        m_recentActions.append(a);
    }
    m_fileMenu->insertActions(m_recentAnchor, m_recentActions);
}

void CMainFrame::fillToolbarsMenu()
{
    m_toolbarsMenu->clear();
    for (QToolBar* bar : findChildren<QToolBar*>())
        m_toolbarsMenu->addAction(bar->toggleViewAction());
    for (QDockWidget* dock : findChildren<QDockWidget*>())
        m_toolbarsMenu->addAction(dock->toggleViewAction());
    m_toolbarsMenu->addSeparator();
    m_toolbarsMenu->addAction(action(ID_VIEW_CUSTOMIZE));
}

QMenu* CMainFrame::createPopupMenu()
{
    QMenu* menu = QMainWindow::createPopupMenu();
    if (menu) {
        menu->addSeparator();
        menu->addAction(action(ID_VIEW_CUSTOMIZE));
    }
    return menu;
}

void CMainFrame::focusNeighbourPane(int step)
{
    QList<QWidget*> panes{m_view};
    for (CModelPane* pane : {static_cast<CModelPane*>(m_hingesPane), static_cast<CModelPane*>(m_lockCorePane),
                             static_cast<CModelPane*>(m_doorPane)})
        if (pane && pane->isVisible())
            panes.append(pane->widget());
    qsizetype current = 0;
    for (qsizetype i = 0; i < panes.size(); ++i)
        if (panes[i] == focusWidget() || panes[i]->isAncestorOf(focusWidget()))
            current = i;
    const qsizetype count = panes.size();
    panes[((current + step) % count + count) % count]->setFocus(Qt::ShortcutFocusReason);
}
