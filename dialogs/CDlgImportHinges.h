#pragma once

#include "ExchangeDialog.h"
#include "ModelNameField.h"

#include <string>

// Name, comments and thickness of a model just read from a CAD drawing. Its
// texts speak of a hinge also when a lock core is imported.
class CDlgImportHinges : public ExchangeDialog {
    Q_OBJECT
public:
    explicit CDlgImportHinges(MessageBoxes& messages);

    // Consulted on OK after the fields were read.
    void setNameAcceptor(NameAcceptor acceptor) { m_acceptName = std::move(acceptor); }

    // Read by the caller after IDOK. Texts are GBK.
    std::string m_name;
    std::string m_comments;
    double m_thickness = 0.0;

protected:
    void DoDataExchange(DataExchange& dx) override;
    void OnInitDialog() override;
    void OnOK() override;

private:
    QLineEdit* m_nameEdit;
    QLineEdit* m_commentsEdit;
    QLineEdit* m_thicknessEdit;
    NameAcceptor m_acceptName;
};
