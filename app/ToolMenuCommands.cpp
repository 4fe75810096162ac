#include <app/ToolMenuCommands.h>

#include <app/FileFolders.h>
#include <app/MainFrame.h>

ToolMenuCommands::ToolMenuCommands(CMainFrame& frame)
    : QObject(&frame)
    , m_files(FileFolders::startFolderIn(frame.library().folder()), FileFolders::remember)
    , m_host(frame)
    , m_commands(m_host, m_importer, m_files, m_messages)
    , m_library(m_host, m_messages)
{
}
