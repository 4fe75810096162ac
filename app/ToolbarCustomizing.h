#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>

class CMainFrame;
class QAction;
class QMimeData;
class QToolBar;
class QToolButton;

// Toolbars in customising mode, while the customise dialog is open: a command
// dropped on a toolbar joins it where it falls; a toolbar button dragged to
// another place or toolbar moves there, and one dragged off every toolbar
// leaves its toolbar. Buttons do not run their commands meanwhile. Every
// change is kept in the settings at once.
class ToolbarCustomizing : public QObject {
    Q_OBJECT
public:
    // The drag data of a command: its id under this type.
    static QString commandMimeType();
    static QMimeData* commandData(int commandId);

    explicit ToolbarCustomizing(CMainFrame& frame, QObject* parent = nullptr);
    ~ToolbarCustomizing() override;

    // Puts a command on bar before the button at pos (toolbar coordinates),
    // after it when pos lies on the button's far half, at the end when pos
    // is on no button. False for an unknown command.
    bool dropCommand(QToolBar* bar, int commandId, QPoint pos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void acceptDropsOnToolbars();
    QToolBar* frameToolbar(QObject* object) const;
    bool filterButton(QToolButton* button, QEvent* event);
    void dragButton(QToolButton* button);

    CMainFrame& m_frame;
    QList<QPointer<QToolBar>> m_toolbars; // the frame's toolbars, taking drops
    QPointer<QToolButton> m_pressed; // a button under a pressed left button
    QPoint m_pressedAt;
    // The toolbar and command of the button being dragged, while it is.
    QPointer<QToolBar> m_dragFrom;
    QAction* m_dragged = nullptr;
};
