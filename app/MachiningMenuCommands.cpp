#include <app/MachiningMenuCommands.h>

#include <app/CommandIds.h>
#include <app/FileFolders.h>
#include <app/MainFrame.h>
#include <app/ModelPanes.h>

#include <QAction>

MachiningMenuCommands::MachiningMenuCommands(CMainFrame& frame)
    : QObject(&frame)
    , m_files(FileFolders::startFolder, FileFolders::remember)
    , m_host(frame)
    , m_commands(m_host, m_files, m_messages)
{
    const std::pair<int, void (MachiningCommands::*)()> handlers[] = {
        {ID_MACHINING_HINGES, &MachiningCommands::OnHingesProgram},
        {ID_MACHINING_LOCK, &MachiningCommands::OnLockProgram},
        {ID_MACHINE_PROFILE, &MachiningCommands::OnMachineProfile},
        // The tool dialog runs modally in the tool menu's own handler,
        // connected before this one: the table is final by now.
        {ID_KNIFE_SETTING, &MachiningCommands::RefreshPreview},
    };
    for (const auto& [id, handler] : handlers) {
        if (QAction* action = frame.action(id))
            connect(action, &QAction::triggered, this, [this, handler = handler] { (m_commands.*handler)(); });
    }
    if (QAction* preview = frame.action(ID_MACHINING_PREVIEW))
        connect(preview, &QAction::toggled, this, [this](bool shown) { m_commands.OnPreview(shown); });
    // The frame shows a displayed door first; its connection came earlier.
    connect(frame.doorPane(), &CDoorListPane::doorActivated, this, [this] { m_commands.RefreshPreview(); });
}
