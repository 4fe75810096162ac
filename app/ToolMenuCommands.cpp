#include <app/ToolMenuCommands.h>

#include <app/CommandIds.h>
#include <app/FileFolders.h>
#include <app/MainFrame.h>

#include <QAction>

ToolMenuCommands::ToolMenuCommands(CMainFrame& frame)
    : QObject(&frame)
    , m_files(FileFolders::startFolder, FileFolders::remember)
    , m_host(frame)
    , m_commands(m_host, m_importer, m_files, m_messages)
{
    const std::pair<int, void (ModelCommands::*)()> handlers[] = {
        {ID_IMPORT_LOCKCORE_CAD, &ModelCommands::OnImportLockCore},
        {ID_IMPORT_HINGES_CAD, &ModelCommands::OnImportHinges},
        {ID_ADD_DOOR_MODEL, &ModelCommands::OnAddDoorModel},
        {ID_KNIFE_SETTING, &ModelCommands::OnKnifeSetting},
    };
    for (const auto& [id, handler] : handlers) {
        if (QAction* action = frame.action(id))
            connect(action, &QAction::triggered, this, [this, handler = handler] { (m_commands.*handler)(); });
    }
}
