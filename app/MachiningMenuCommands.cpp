#include <app/MachiningMenuCommands.h>

#include <app/CommandIds.h>
#include <app/FileFolders.h>
#include <app/MainFrame.h>
#include <app/ModelPanes.h>
#include <app/VarnholtView.h>

#include <QAction>
#include <QStatusBar>

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
        {ID_CREATE_NC_FILE, &MachiningCommands::OnCreateNcFile},
        {ID_CREATE_HINGES_NC, &MachiningCommands::OnCreateHingesNc},
        {ID_CREATE_LOCKHOLE_NC, &MachiningCommands::OnCreateLockHoleNc},
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
    connect(frame.activeView(), &CVarnholtView::previewHovered, this,
            [this, bar = frame.statusBar()](const QString& text) { showHovered(*bar, text); });
}

void MachiningMenuCommands::showHovered(QStatusBar& bar, const QString& text)
{
    // Leaving the cuts brings back what the bar said before, unless a
    // command has said something since.
    if (text.isEmpty()) {
        if (!m_hovered.isEmpty() && bar.currentMessage() == m_hovered)
            bar.showMessage(m_beforeHover);
        m_hovered.clear();
        return;
    }
    if (m_hovered.isEmpty() || bar.currentMessage() != m_hovered)
        m_beforeHover = bar.currentMessage();
    m_hovered = text;
    bar.showMessage(text);
}
