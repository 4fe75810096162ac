#pragma once

#include <library/ModelLibrary.h>

#include <QDialog>

class QTreeWidget;

// Lists what loading the library passed over: every file that yielded
// nothing, with its path and the reason, and every door that names a hinge
// or lock-core model that was not found. Shows the library as it was when
// the dialog opened.
class CDlgPassedOver : public QDialog {
    Q_OBJECT
public:
    explicit CDlgPassedOver(const ModelLibrary& library, QWidget* parent = nullptr);

    const QTreeWidget& list() const { return *m_list; }

private:
    QTreeWidget* m_list = nullptr;
};
