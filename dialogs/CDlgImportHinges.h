#pragma once

#include <dialogs/NamedModelDialog.h>

#include <string>

// Name, comments and thickness of a model just read from a CAD drawing. Its
// texts speak of a hinge also when a lock core is imported.
class CDlgImportHinges : public NamedModelDialog {
    Q_OBJECT
public:
    explicit CDlgImportHinges(MessageBoxes& messages);

    // Read by the caller after IDOK.
    double m_thickness = 0.0;

protected:
    void DoDataExchange(DataExchange& dx) override;
    void OnInitDialog() override;
    void OnOK() override;

private:
    QLineEdit* m_nameEdit;
    QLineEdit* m_commentsEdit;
    QLineEdit* m_thicknessEdit;
};
