#pragma once

#include <dialogs/NamedModelDialog.h>

#include <string>

class QCheckBox;

// Name, comments and thickness of a model just read from a CAD drawing. Its
// texts speak of a hinge also when a lock core is imported. For a hinge it
// also asks whether the hinge is let into the door ("开槽").
class CDlgImportHinges : public NamedModelDialog {
    Q_OBJECT
public:
    // offerMortise adds the check box "开槽", for hinges.
    explicit CDlgImportHinges(MessageBoxes& messages, bool offerMortise = false);

    // Read by the caller after IDOK.
    double m_thickness = 0.0;
    int m_mortise = 0; // 1 when "开槽" is checked

protected:
    void DoDataExchange(DataExchange& dx) override;
    void OnInitDialog() override;
    void OnOK() override;

private:
    QLineEdit* m_nameEdit;
    QLineEdit* m_commentsEdit;
    QLineEdit* m_thicknessEdit;
    QCheckBox* m_mortiseBox = nullptr;
};
