#pragma once

#include <app/FrameCommandHost.h>

#include <commands/OrderCommands.h>
#include <dialogs/QtFileDialogs.h>
#include <dialogs/QtMessageBoxes.h>
#include <dialogs/QtPrinterChoice.h>
#include <library/Library.h>

#include <QObject>

class CMainFrame;
class COrderPane;
class MachiningCommands;

// The order commands as the program runs them, with the pane listing the open
// order's rows (docked below the drawing, shown once an order is open). A
// chosen row's door is shown in the drawing with its preview; an order file
// dropped on the window is opened; the open order is read again after the
// library changed, so that its rows and times follow the models and tools.
class OrderMenuCommands : public QObject {
    Q_OBJECT
public:
    OrderMenuCommands(CMainFrame& frame, MachiningCommands& machining);

    OrderCommands& commands() { return m_commands; }
    COrderPane* pane() const { return m_pane; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showOrder();
    void resolveLater();

    CMainFrame& m_frame;
    QtFileDialogs m_files;
    QtMessageBoxes m_messages;
    QtPrinterChoice m_printers;
    FrameCommandHost m_host;
    OrderCommands m_commands;
    COrderPane* m_pane;
    Library::Connection m_libraryFollowed;
    bool m_resolvePending = false;
};
