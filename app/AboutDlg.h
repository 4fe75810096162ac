#pragma once

#include <QDialog>

// "关于 Varnholt": the program icon, name and version, and an OK button.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
