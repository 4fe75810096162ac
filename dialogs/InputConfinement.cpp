#include <dialogs/InputConfinement.h>

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

// The widget's parents up to the top, across window borders (a drop-down's
// list is a window of its own whose parent is the drop-down).
bool within(const QWidget* widget, const QWidget* ancestor)
{
    for (; widget; widget = widget->parentWidget())
        if (widget == ancestor)
            return true;
    return false;
}

} // namespace

InputConfinement::InputConfinement(std::vector<QWidget*> open)
{
    for (QWidget* widget : open)
        m_open.emplace_back(widget);
    qApp->installEventFilter(this);
}

InputConfinement::~InputConfinement()
{
    qApp->removeEventFilter(this);
}

bool InputConfinement::reaches(const QObject* target) const
{
    // Windows hand their input on to their widgets, which are judged then;
    // shortcuts of actions belong to menus and toolbars, never to the open widgets.
    const auto* widget = qobject_cast<const QWidget*>(target);
    if (!widget)
        return !target->inherits("QAction");
    if (const QWidget* modal = QApplication::activeModalWidget(); modal && within(widget, modal))
        return true;
    for (const QPointer<QWidget>& open : m_open)
        if (open && within(widget, open))
            return true;
    return false;
}

bool InputConfinement::eventFilter(QObject* watched, QEvent* event)
{
    if (!isUserInput(event->type()) || reaches(watched))
        return false;
    if (event->type() == QEvent::Close)
        event->ignore();
    return true;
}
