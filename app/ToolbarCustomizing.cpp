#include <app/ToolbarCustomizing.h>

#include <app/MainFrame.h>

#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>

namespace {

int commandOf(const QMimeData* data)
{
    bool ok = false;
    const int id = data ? data->data(ToolbarCustomizing::commandMimeType()).toInt(&ok) : 0;
    return ok ? id : 0;
}

} // namespace

QString ToolbarCustomizing::commandMimeType()
{
    return QStringLiteral("application/x-varnholt-command");
}

QMimeData* ToolbarCustomizing::commandData(int commandId)
{
    auto* data = new QMimeData;
    data->setData(commandMimeType(), QByteArray::number(commandId));
    return data;
}

ToolbarCustomizing::ToolbarCustomizing(CMainFrame& frame, QObject* parent) : QObject(parent), m_frame(frame)
{
    acceptDropsOnToolbars();
    connect(&m_frame, &CMainFrame::toolbarsChanged, this, &ToolbarCustomizing::acceptDropsOnToolbars);
    // Watching the application sees the buttons of every toolbar, also those
    // that come and go while the user customises.
    qApp->installEventFilter(this);
}

// The frame may be going away with the dialog: only the toolbars that are
// still there are touched.
ToolbarCustomizing::~ToolbarCustomizing()
{
    qApp->removeEventFilter(this);
    for (const QPointer<QToolBar>& bar : m_toolbars) {
        if (bar)
            bar->setAcceptDrops(false);
    }
}

void ToolbarCustomizing::acceptDropsOnToolbars()
{
    m_toolbars.clear();
    for (QToolBar* bar : m_frame.toolbars()) {
        bar->setAcceptDrops(true);
        m_toolbars.append(bar);
    }
}

QToolBar* ToolbarCustomizing::frameToolbar(QObject* object) const
{
    auto* bar = qobject_cast<QToolBar*>(object);
    return bar && m_toolbars.contains(bar) ? bar : nullptr;
}

bool ToolbarCustomizing::dropCommand(QToolBar* bar, int commandId, QPoint pos)
{
    QAction* command = m_frame.action(commandId);
    if (!bar || !command)
        return false;
    QAction* before = nullptr;
    if (QAction* at = bar->actionAt(pos)) {
        if (at == command)
            return true;
        before = at;
        const QRect button = bar->actionGeometry(at);
        const bool farHalf = bar->orientation() == Qt::Horizontal ? pos.x() > button.center().x()
                                                                  : pos.y() > button.center().y();
        if (farHalf) {
            const QList<QAction*> actions = bar->actions();
            const qsizetype next = actions.indexOf(at) + 1;
            before = next < actions.size() ? actions[next] : nullptr;
        }
    }
    if (before == command)
        return true;
    if (m_dragFrom && m_dragFrom != bar && m_dragged == command)
        m_dragFrom->removeAction(command);
    // A command already on the toolbar moves to its new place.
    bar->insertAction(before, command);
    m_frame.storeCustomisation();
    return true;
}

bool ToolbarCustomizing::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        if (frameToolbar(watched) && commandOf(static_cast<QDropEvent*>(event)->mimeData()) != 0) {
            auto* drag = static_cast<QDropEvent*>(event);
            drag->setDropAction(Qt::MoveAction);
            drag->accept();
            return true;
        }
        return false;
    case QEvent::Drop:
        if (QToolBar* bar = frameToolbar(watched)) {
            auto* drop = static_cast<QDropEvent*>(event);
            if (dropCommand(bar, commandOf(drop->mimeData()), drop->position().toPoint())) {
                drop->setDropAction(Qt::MoveAction);
                drop->accept();
                return true;
            }
        }
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        if (auto* button = qobject_cast<QToolButton*>(watched);
            button && button->defaultAction() && frameToolbar(button->parent()))
            return filterButton(button, event);
        return false;
    default:
        return false;
    }
}

// Toolbar buttons are dragged, not pressed, while customising.
bool ToolbarCustomizing::filterButton(QToolButton* button, QEvent* event)
{
    const auto* mouse = static_cast<QMouseEvent*>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (mouse->button() == Qt::LeftButton) {
            m_pressed = button;
            m_pressedAt = mouse->position().toPoint();
        }
        return true;
    case QEvent::MouseMove:
        if (m_pressed == button && (mouse->position().toPoint() - m_pressedAt).manhattanLength()
                                       >= QApplication::startDragDistance()) {
            m_pressed = nullptr;
            dragButton(button);
        }
        return true;
    default:
        m_pressed = nullptr;
        return true;
    }
}

void ToolbarCustomizing::dragButton(QToolButton* button)
{
    QAction* command = button->defaultAction();
    auto* bar = qobject_cast<QToolBar*>(button->parent());
    auto* drag = new QDrag(bar);
    drag->setMimeData(commandData(command->data().toInt()));
    drag->setPixmap(button->grab());
    m_dragFrom = bar;
    m_dragged = command;
    const Qt::DropAction done = drag->exec(Qt::MoveAction);
    // Dropped on no toolbar: the button leaves its own.
    if (done == Qt::IgnoreAction && m_dragFrom && m_dragFrom->actions().contains(command)) {
        m_dragFrom->removeAction(command);
        m_frame.storeCustomisation();
    }
    m_dragFrom = nullptr;
    m_dragged = nullptr;
}
