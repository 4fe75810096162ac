#pragma once

#include <QDialog>

class CMainFrame;
class QListWidget;

// "自定义": shows or hides the toolbars and panes, creates user toolbars and
// lists the user toolbar images.
// Modeless; changes apply at once.
class CCustomizeDlg : public QDialog {
    Q_OBJECT
public:
    explicit CCustomizeDlg(CMainFrame* frame);

private:
    void fillBars();

    CMainFrame* m_frame;
    QListWidget* m_bars;
};
