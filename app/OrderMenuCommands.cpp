#include <app/OrderMenuCommands.h>

#include <app/CommandIds.h>
#include <app/CommandTable.h>
#include <app/FileFolders.h>
#include <app/MainFrame.h>
#include <app/ModelDisplay.h>
#include <app/OrderPane.h>
#include <app/VarnholtView.h>

#include <commands/MachiningCommands.h>

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>

namespace {

// The one order file of a drag, or nothing.
QString droppedOrderFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().front().isLocalFile())
        return {};
    const QString path = data->urls().front().toLocalFile();
    return OrderCommands::IsOrderFile(path) ? path : QString();
}

} // namespace

OrderMenuCommands::OrderMenuCommands(CMainFrame& frame, MachiningCommands& machining)
    : QObject(&frame)
    , m_frame(frame)
    , m_files(FileFolders::startFolderIn(frame.library().folder()), FileFolders::remember)
    , m_host(frame)
    , m_commands(m_host, m_files, m_messages, m_printers, machining)
    , m_pane(new COrderPane(&frame))
{
    setObjectName(QStringLiteral("OrderMenuCommands"));
    frame.addDockWidget(Qt::BottomDockWidgetArea, m_pane);
    m_pane->hide();
    QList<QAction*> rowActions;
    for (const int id : OrderRowCommandIds())
        rowActions.append(frame.action(id));
    m_pane->setRowActions(rowActions);
    for (QAction* a : rowActions)
        a->setEnabled(false);

    m_commands.setOrderChanged([this] { showOrder(); });
    // As a double click in the door pane does, with the preview following.
    connect(m_pane, &COrderPane::doorChosen, this, [this, &machining](const GK_DoorWithHinges* door) {
        ShowDoorInView(*m_frame.activeView(), door);
        machining.RefreshPreview();
    });
    m_libraryFollowed = frame.library().onChanged([this](const LibraryChange&) { resolveLater(); });
    frame.setAcceptDrops(true);
    frame.installEventFilter(this);
}

void OrderMenuCommands::showOrder()
{
    const bool open = m_commands.order() != nullptr;
    m_pane->fill(m_commands.order(), m_commands.rowOutcomes());
    for (const int id : OrderRowCommandIds())
        m_frame.action(id)->setEnabled(open);
    if (open && !m_pane->isVisible()) {
        m_pane->show();
        m_pane->raise();
    }
}

// Reading the order again may show a progress dialog: not from within the
// library's announcement, and once for a burst of changes.
void OrderMenuCommands::resolveLater()
{
    if (m_resolvePending || !m_commands.order())
        return;
    m_resolvePending = true;
    QTimer::singleShot(0, this, [this] {
        m_resolvePending = false;
        m_commands.ResolveAgain();
    });
}

bool OrderMenuCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_frame)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (droppedOrderFile(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = droppedOrderFile(drop->mimeData());
        if (path.isEmpty())
            return false;
        drop->acceptProposedAction();
        // The drag's source waits for the drop to return: the file is opened
        // after it, where its messages and progress may show.
        QTimer::singleShot(0, this, [this, path] { m_commands.OpenOrder(path); });
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
