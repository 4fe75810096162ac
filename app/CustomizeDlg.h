#pragma once

#include <app/MainFrame.h>

#include <QDialog>

class QComboBox;
class QListWidget;
class QMimeData;
class QPushButton;
class QToolBar;
class QTreeWidget;
class ToolbarCustomizing;

// "自定义": the menu commands by menu, to be dragged onto a toolbar; the
// toolbars and panes, shown or hidden, and the user toolbars created,
// renamed and deleted; the user images, given to commands. Modeless; every
// change applies at once and is kept in the settings, and "取消" undoes them
// all. While it is open the toolbars are in customising mode
// (ToolbarCustomizing).
class CCustomizeDlg : public QDialog {
    Q_OBJECT
public:
    explicit CCustomizeDlg(CMainFrame* frame);
    ~CCustomizeDlg() override;

    // What dragging the command's entry of the commands page carries; null
    // for a command the page does not list.
    QMimeData* dragDataOf(int commandId) const;
    ToolbarCustomizing& customizing() const { return *m_customizing; }

private:
    QWidget* makeCommandsPage();
    QWidget* makeToolbarsPage();
    QWidget* makeImagesPage();
    void fillBars();
    QToolBar* selectedUserToolbar() const;
    void renameSelected();
    void deleteSelected();

    CMainFrame* m_frame;
    ToolbarCustomizing* m_customizing; // a child of the dialog
    QTreeWidget* m_commands = nullptr;
    QListWidget* m_bars = nullptr;
    QPushButton* m_newBar = nullptr;
    QPushButton* m_renameBar = nullptr;
    QPushButton* m_deleteBar = nullptr;
    CMainFrame::Customisation m_saved; // as the dialog found it
};
