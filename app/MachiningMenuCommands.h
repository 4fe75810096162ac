#pragma once

#include <app/FrameCommandHost.h>

#include <commands/MachiningCommands.h>
#include <dialogs/QtFileDialogs.h>
#include <dialogs/QtMessageBoxes.h>
#include <library/Library.h>

#include <QObject>

class CMainFrame;
class QStatusBar;

// The machining commands as the program runs them; the command table
// (CommandTable.h) connects them to the actions of the "加工" menu and to the
// NC commands of the "工具" menu. The preview follows the door shown in the
// view and is drawn anew after the library changed; the status bar names the
// cut under the mouse.
class MachiningMenuCommands : public QObject {
    Q_OBJECT
public:
    explicit MachiningMenuCommands(CMainFrame& frame);

    MachiningCommands& commands() { return m_commands; }

private:
    void showHovered(QStatusBar& bar, const QString& text);

    QtFileDialogs m_files;
    QtMessageBoxes m_messages;
    FrameCommandHost m_host;
    MachiningCommands m_commands;
    Library::Connection m_libraryFollowed;
    QString m_beforeHover; // the status bar's text before the mouse came to a cut
    QString m_hovered;     // the text shown for the cut under the mouse
};
