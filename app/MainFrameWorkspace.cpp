// The main frame's workspace between starts: where the window opens and how
// wide its panes are, the toolbars the user made, the user images given to
// commands and the lists' column widths.
#include <app/CommandIds.h>
#include <app/MainFrame.h>
#include <app/ModelPanes.h>
#include <app/VarnholtView.h>

#include <grid/CTreeGridCtrl.h>

#include <QAction>
#include <QDockWidget>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

namespace {

// The share of the available screen the window takes on the first start.
constexpr double kFirstStartShare = 0.8;

QString userToolbarName(int id)
{
    return QStringLiteral("UserToolBar%1").arg(id);
}

// The id in a user toolbar's object name; 0 for any other name.
int userToolbarId(const QString& objectName)
{
    const QString prefix = userToolbarName(0).chopped(1);
    if (!objectName.startsWith(prefix))
        return 0;
    bool ok = false;
    const int id = objectName.mid(prefix.size()).toInt(&ok);
    return ok && id >= ID_FIRST_USER_TOOLBAR && id <= ID_LAST_USER_TOOLBAR ? id : 0;
}

// The width a pane needs to show all its columns beside a vertical scroll bar.
int wantedWidth(const CModelPane& pane)
{
    const CTreeGridCtrl& grid = pane.grid();
    return grid.TotalColumnWidth() + grid.verticalScrollBar()->sizeHint().width() + 2 * grid.frameWidth();
}

} // namespace

QList<QToolBar*> CMainFrame::toolbars() const
{
    return QList<QToolBar*>{m_toolBar} + m_userToolbars;
}

QToolBar* CMainFrame::addUserToolbar(int id, const QString& title)
{
    auto* bar = new QToolBar(title, this);
    bar->setObjectName(userToolbarName(id));
    bar->setIconSize(QSize(kToolbarIconSize, kToolbarIconSize));
    addToolBar(Qt::TopToolBarArea, bar);
    m_userToolbars.append(bar);
    return bar;
}

QToolBar* CMainFrame::createUserToolbar()
{
    if (m_userToolbars.size() >= kMaxUserToolbars)
        return nullptr;
    int id = ID_FIRST_USER_TOOLBAR;
    const auto taken = [this](int candidate) {
        return std::any_of(m_userToolbars.begin(), m_userToolbars.end(),
                           [&](const QToolBar* bar) { return userToolbarId(bar->objectName()) == candidate; });
    };
    while (taken(id))
        ++id;
    QToolBar* bar = addUserToolbar(id, QStringLiteral("自定义 %1").arg(id - ID_FIRST_USER_TOOLBAR + 1));
    bar->addAction(action(ID_VIEW_CUSTOMIZE));
    storeCustomisation();
    emit toolbarsChanged();
    return bar;
}

void CMainFrame::renameUserToolbar(QToolBar* bar, const QString& title)
{
    if (!m_userToolbars.contains(bar) || title.trimmed().isEmpty())
        return;
    bar->setWindowTitle(title.trimmed());
    storeCustomisation();
}

void CMainFrame::deleteUserToolbar(QToolBar* bar)
{
    if (!m_userToolbars.removeOne(bar))
        return;
    removeToolBar(bar);
    // Out of the frame's children at once, so no list of toolbars meets it again.
    bar->setParent(nullptr);
    bar->deleteLater();
    storeCustomisation();
    emit toolbarsChanged();
}

void CMainFrame::assignUserImage(int commandId, int index)
{
    if (index >= 0 && index < m_userImages.size())
        m_commandImages.insert(commandId, index);
    else
        m_commandImages.remove(commandId);
    applyCommandIcons();
    storeCustomisation();
}

QList<AppSettings::ToolbarContent> CMainFrame::toolbarContents() const
{
    QList<AppSettings::ToolbarContent> contents;
    for (const QToolBar* bar : toolbars()) {
        AppSettings::ToolbarContent content{bar->objectName(), bar->windowTitle(), {}};
        for (const QAction* a : bar->actions()) {
            if (a->isSeparator())
                content.commands.append(0);
            else if (action(a->data().toInt()) == a)
                content.commands.append(a->data().toInt());
        }
        contents.append(content);
    }
    return contents;
}

void CMainFrame::storeCustomisation() const
{
    AppSettings::writeToolbars(toolbarContents());
    AppSettings::writeCommandImages(m_commandImages);
}

CMainFrame::Customisation CMainFrame::customisation() const
{
    Customisation now{toolbarContents(), {}, m_commandImages};
    for (const QToolBar* bar : toolbars())
        now.shown.insert(bar->objectName(), bar->isVisible());
    for (const QDockWidget* dock : findChildren<QDockWidget*>())
        now.shown.insert(dock->objectName(), dock->isVisible());
    return now;
}

void CMainFrame::restoreCustomisation(const Customisation& saved)
{
    const auto kept = [&saved](const QToolBar* bar) {
        return std::any_of(saved.toolbars.begin(), saved.toolbars.end(),
                           [bar](const AppSettings::ToolbarContent& c) { return c.objectName == bar->objectName(); });
    };
    for (QToolBar* bar : QList<QToolBar*>(m_userToolbars))
        if (!kept(bar))
            deleteUserToolbar(bar);
    AppSettings::writeToolbars(saved.toolbars);
    AppSettings::writeCommandImages(saved.images);
    restoreToolbars();
    for (auto it = saved.shown.begin(); it != saved.shown.end(); ++it)
        if (QWidget* widget = findChild<QWidget*>(it.key()))
            widget->setVisible(it.value());
    storeCustomisation();
    emit toolbarsChanged();
}

void CMainFrame::restoreToolbars()
{
    m_commandImages = AppSettings::readCommandImages();
    const QList<AppSettings::ToolbarContent> saved = AppSettings::readToolbars();
    if (saved.isEmpty()) {
        // Settings from before the toolbars' contents were kept hold only
        // the number of user toolbars.
        const int count = std::min(AppSettings::readWorkspace().userToolbars, kMaxUserToolbars);
        for (int i = 0; i < count; ++i) {
            QToolBar* bar = addUserToolbar(ID_FIRST_USER_TOOLBAR + i, QStringLiteral("自定义 %1").arg(i + 1));
            bar->addAction(action(ID_VIEW_CUSTOMIZE));
        }
    }
    for (const AppSettings::ToolbarContent& content : saved) {
        QToolBar* bar = nullptr;
        if (content.objectName == m_toolBar->objectName()) {
            bar = m_toolBar;
        } else if (QToolBar* existing = findChild<QToolBar*>(content.objectName);
                   existing && m_userToolbars.contains(existing)) {
            bar = existing;
            bar->setWindowTitle(content.title);
        } else if (const int id = userToolbarId(content.objectName);
                   id != 0 && m_userToolbars.size() < kMaxUserToolbars && !existing) {
            bar = addUserToolbar(id, content.title);
        }
        if (!bar)
            continue;
        bar->clear();
        for (const int id : content.commands) {
            if (id == 0)
                bar->addSeparator();
            else if (QAction* a = action(id))
                bar->addAction(a);
        }
    }
    applyCommandIcons();
}

void CMainFrame::restoreColumnWidths()
{
    for (CModelPane* pane : {static_cast<CModelPane*>(m_hingesPane), static_cast<CModelPane*>(m_lockCorePane),
                             static_cast<CModelPane*>(m_doorPane)}) {
        CTreeGridCtrl& grid = pane->grid();
        grid.SetUserColumnWidths(AppSettings::readColumnWidths(pane->objectName()));
        connect(&grid, &CTreeGridCtrl::columnWidthsChangedByUser, this,
                [pane] { AppSettings::writeColumnWidths(pane->objectName(), pane->grid().UserColumnWidths()); });
    }
}

void CMainFrame::restoreWorkspace()
{
    restoreToolbars();
    restoreColumnWidths();
    const AppSettings::Workspace saved = AppSettings::readWorkspace();
    if (saved.geometry.isEmpty())
        placeOnFirstStart();
    else
        m_fitOnShow = restoreGeometry(saved.geometry);
    if (saved.state.isEmpty() || !restoreState(saved.state))
        sizePanesOnFirstStart();
}

// Most of the screen, centred.
void CMainFrame::placeOnFirstStart()
{
    const QRect available = screen()->availableGeometry();
    const QSize size(int(available.width() * kFirstStartShare), int(available.height() * kFirstStartShare));
    resize(size);
    move(available.center() - QPoint(size.width() / 2, size.height() / 2));
}

// A window saved on a larger screen, or partly off this one, is brought
// wholly onto it. Done once it is shown, when the frame around it is known.
void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_fitOnShow || (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    m_fitOnShow = false;
    const QRect available = screen()->availableGeometry();
    if (available.contains(frameGeometry()))
        return;
    const QSize decoration = frameGeometry().size() - size();
    resize(size().boundedTo(available.size() - decoration));
    const QRect frame = frameGeometry();
    move(std::clamp(frame.left(), available.left(), available.left() + available.width() - frame.width()),
         std::clamp(frame.top(), available.top(), available.top() + available.height() - frame.height()));
}

// Each side gets what its lists need to show every column whole, and the
// drawing the rest; lists too wide for that share what the drawing leaves
// beside its least width, each side in proportion to its need.
void CMainFrame::sizePanesOnFirstStart()
{
    const int separators = 2 * style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
    const int room = width() - CVarnholtView::kMinimumSize.width() - separators;
    const int left = wantedWidth(*m_doorPane);
    const int right = std::max(wantedWidth(*m_hingesPane), wantedWidth(*m_lockCorePane));
    const double share = std::min(1.0, double(room) / double(left + right));
    resizeDocks({m_doorPane, m_hingesPane}, {int(left * share), int(right * share)}, Qt::Horizontal);
}

void CMainFrame::saveWorkspace()
{
    AppSettings::writeWorkspace({saveGeometry(), saveState(), static_cast<int>(m_userToolbars.size())});
    storeCustomisation();
}
