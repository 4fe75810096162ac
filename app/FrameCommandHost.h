#pragma once

#include <commands/CommandHost.h>

class CMainFrame;

// The commands' view of the running program: the main window they belong
// to, its library, panes, drawing view and status bar.
class FrameCommandHost final : public CommandHost {
public:
    explicit FrameCommandHost(CMainFrame& frame) : m_frame(frame) {}

    Library* library() override;
    std::string libraryFolder() override;
    GK_Object* firstDrawingObject() override;
    void recordNcDoor(GK_Object* door) override;
    void showStatus(const QString& text) override;
    std::optional<LibraryRow> chosenRow() override;
    QList<int> toolColumnWidths() override;
    void storeToolColumnWidths(const QList<int>& widths) override;
    void showMachiningPreview(MachiningPreview preview) override;
    void hideMachiningPreview() override;
    QWidget* showImportPreview(const ImportPicture& picture, ImportPreviewInput input) override;
    void hideImportPreview() override;
    void coverImportPreview(const QRect& screenArea) override;

private:
    CMainFrame& m_frame;
};
