#pragma once

#include <dialogs/NamedModelDialog.h>

// Asks for a model's name alone: a new name for "重命名", the name of the
// copy for "复制为...". The name is refused as a new model's name is.
class CDlgModelName : public NamedModelDialog {
    Q_OBJECT
public:
    CDlgModelName(MessageBoxes& messages, const QString& title);

protected:
    void DoDataExchange(DataExchange& dx) override;
    void OnInitDialog() override;
    void OnOK() override;

private:
    QLineEdit* m_nameEdit;
};
