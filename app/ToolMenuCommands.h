#pragma once

#include <app/FrameCommandHost.h>

#include <commands/LibraryCommands.h>
#include <commands/ModelCommands.h>
#include <dialogs/QtFileDialogs.h>
#include <dialogs/QtMessageBoxes.h>
#include <importer/CadImporter.h>

#include <QObject>

class CMainFrame;

// The model commands as the program runs them: with Qt's file dialogs and
// message boxes, the CAD importer and the main window. The command table
// (CommandTable.h) connects them to the actions of the "工具" menu.
class ToolMenuCommands : public QObject {
    Q_OBJECT
public:
    explicit ToolMenuCommands(CMainFrame& frame);

    ModelCommands& commands() { return m_commands; }
    LibraryCommands& libraryCommands() { return m_library; }

private:
    QtFileDialogs m_files;
    QtMessageBoxes m_messages;
    CadImporter m_importer;
    FrameCommandHost m_host;
    ModelCommands m_commands;
    LibraryCommands m_library;
};
