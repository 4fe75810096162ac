#pragma once

#include <dialogs/NamedModelDialog.h>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;

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

    // The import the dialog names, below the fields: what was chosen and a
    // warning (none when empty), both changing while the dialog is open.
    void showChoice(const QString& chosen, const QString& warning);
    // The field "图纸单位": the units offered ($INSUNITS codes), the one
    // taken and where it came from. A pick is signalled as unitChosen.
    void offerUnits(const std::vector<int>& codes, int current, const QString& source);
    void showUnitSource(const QString& source);
    // The button "交换", for a lock core's faces; signalled as swapClicked.
    void offerSwap();

signals:
    void unitChosen(int code);
    void swapClicked();

protected:
    void DoDataExchange(DataExchange& dx) override;
    void OnInitDialog() override;
    void OnOK() override;

private:
    QLineEdit* m_nameEdit;
    QLineEdit* m_commentsEdit;
    QLineEdit* m_thicknessEdit;
    // The rows about the import, made when first asked for; a dialog
    // without them is the plain one.
    void addImportRows();

    QCheckBox* m_mortiseBox = nullptr;
    QGridLayout* m_fields;
    QLabel* m_chosen = nullptr;
    QLabel* m_warning = nullptr;
    QComboBox* m_unitList = nullptr;
    QLabel* m_unitSource = nullptr;
    QPushButton* m_swap = nullptr;
    QPushButton* m_ok;
};
