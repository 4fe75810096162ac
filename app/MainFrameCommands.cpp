// The main frame's commands: actions with their ids, menus, toolbar and
// status bar.
#include <app/CommandIds.h>
#include <app/CommandTable.h>
#include <app/CommandNames.h>
#include <app/Looks.h>
#include <app/MainFrame.h>
#include <app/ModelPanes.h>
#include <app/ToolbarIcons.h>
#include <app/VarnholtView.h>

#include <commands/MachiningCommands.h>
#include <commands/ModelCommands.h>

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

#include <algorithm>
#include <functional>

namespace {

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

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

// One action for every command of the table; the handlers are connected once
// the commands exist (connectCommands).
void CMainFrame::createActions()
{
    m_lookGroup = new QActionGroup(this);
    m_lookGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const Command& command : Commands()) {
        QAction* a = addCommand(command.id, text(command.text), CommandKeys(command));
        if (command.statusTip)
            a->setStatusTip(text(command.statusTip));
        a->setToolTip(CommandToolTip(*a));
        a->setCheckable(command.kind == CommandKind::ToggleOn || command.kind == CommandKind::ToggleOff
                        || command.kind == CommandKind::Look);
        a->setChecked(command.kind == CommandKind::ToggleOn);
        a->setEnabled(command.kind != CommandKind::Disabled);
        if (command.kind == CommandKind::Look)
            m_lookGroup->addAction(a);
        // Keys work wherever the focus is in the window, menus shown or not.
        if (!a->shortcuts().isEmpty())
            addAction(a);
    }
    updateLookMarks();
    applyCommandIcons();
    // The "编辑" context menu of the view.
    m_view->addActions({action(ID_EDIT_CUT), action(ID_EDIT_COPY), action(ID_EDIT_PASTE)});

}

void CMainFrame::connectCommands(ModelCommands& models, LibraryCommands& library, MachiningCommands& machining,
                                 OrderCommands& orders)
{
    m_commandTargets = std::make_unique<CommandTargets>(CommandTargets{*this, models, library, machining, orders});
    for (const Command& command : Commands()) {
        if (!command.run)
            continue;
        QAction* a = action(command.id);
        const auto run = [this, handler = command.run](bool checked) { handler(*m_commandTargets, checked); };
        if (command.kind == CommandKind::ToggleOn || command.kind == CommandKind::ToggleOff)
            connect(a, &QAction::toggled, this, run);
        else
            connect(a, &QAction::triggered, this, run);
    }
}

void CMainFrame::addMenuCommands(QMenu* menu, CommandMenu place)
{
    for (const Command& command : Commands()) {
        if (command.menu != place)
            continue;
        if (command.separatorBefore)
            menu->addSeparator();
        if (command.id == ID_APP_EXIT) {
            // The recent files, between two separators.
            menu->addSeparator();
            m_recentAnchor = menu->addSeparator();
        }
        menu->addAction(action(command.id));
    }
}

void CMainFrame::createMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MenuBar"));

    m_fileMenu = bar->addMenu(text("文件(&F)"));
    addMenuCommands(m_fileMenu, CommandMenu::File);
    rebuildRecentFiles();

    addMenuCommands(bar->addMenu(text("编辑(&E)")), CommandMenu::Edit);

    QMenu* view = bar->addMenu(text("视图(&V)"));
    m_toolbarsMenu = view->addMenu(text("工具栏和停靠窗口(&T)"));
    m_toolbarsMenu->addAction(addCommand(ID_VIEW_TOOLBARS_PLACEHOLDER, text("<占位符>")));
    connect(m_toolbarsMenu, &QMenu::aboutToShow, this, &CMainFrame::fillToolbarsMenu);
    addMenuCommands(view, CommandMenu::View);
    QMenu* looks = view->addMenu(text("应用程序外观(&A)"));
    addMenuCommands(looks, CommandMenu::Looks);
    addMenuCommands(looks->addMenu(text("Office 2007(&7)")), CommandMenu::Office2007Looks);

    addMenuCommands(bar->addMenu(text("工具")), CommandMenu::Tools);
    addMenuCommands(bar->addMenu(text("加工(&M)")), CommandMenu::Machining);
    addMenuCommands(bar->addMenu(text("库(&L)")), CommandMenu::Library);
    addMenuCommands(bar->addMenu(text("帮助(&H)")), CommandMenu::Help);
}

void CMainFrame::createToolBars()
{
    m_toolBar = addToolBar(text("标准"));
    m_toolBar->setObjectName(QStringLiteral("StandardToolBar"));
    m_toolBar->setIconSize(QSize(kToolbarIconSize, kToolbarIconSize));
    int lastGroup = 0;
    for (const Command& command : Commands())
        lastGroup = std::max(lastGroup, command.toolbarGroup);
    for (int group = 1; group <= lastGroup; ++group) {
        if (group > 1)
            m_toolBar->addSeparator();
        for (const Command& command : Commands())
            if (command.toolbarGroup == group)
                m_toolBar->addAction(action(command.id));
    }
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
        const Command* command = FindCommand(id);
        if (image >= 0 && image < m_userImages.size())
            a->setIcon(QIcon(m_userImages[image]));
        else if (command && command->picture)
            a->setIcon(ToolbarIcons::picture(command->picture, dark));
        else
            a->setIcon(QIcon());
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
