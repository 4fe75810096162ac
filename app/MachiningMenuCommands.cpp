#include <app/MachiningMenuCommands.h>

#include <app/FileFolders.h>
#include <app/MainFrame.h>
#include <app/ModelPanes.h>
#include <app/VarnholtView.h>

#include <QStatusBar>

MachiningMenuCommands::MachiningMenuCommands(CMainFrame& frame)
    : QObject(&frame)
    , m_files(FileFolders::startFolderIn(frame.library().folder()), FileFolders::remember)
    , m_host(frame)
    , m_commands(m_host, m_files, m_messages)
{
    // The frame shows a displayed door first; its connection came earlier.
    connect(frame.doorPane(), &CDoorListPane::doorActivated, this, [this] { m_commands.RefreshPreview(); });
    // The paths follow the tools and the models the drawn door now has; the
    // frame's drawing has followed the change before.
    m_libraryFollowed = frame.library().onChanged([this](const LibraryChange& change) {
        if (change.part != LibraryPart::Doors || change.kind == LibraryChange::Kind::Reloaded)
            m_commands.RefreshPreview();
    });
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
