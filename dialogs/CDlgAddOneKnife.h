#pragma once

#include <dialogs/ExchangeDialog.h>
#include <dialogs/ToolForm.h>

// The values of one new tool. Only OK and the caption's close button end it.
class CDlgAddOneKnife : public ExchangeDialog {
    Q_OBJECT
public:
    explicit CDlgAddOneKnife(MessageBoxes& messages);

    // Read by the caller after IDOK.
    ToolForm m_form;
    // List indexes, taken when OK is pressed.
    int m_typeIndex = 0;
    int m_spindleIndex = 0;
    int m_enableIndex = 0;

protected:
    void DoDataExchange(DataExchange& dx) override;
    void OnInitDialog() override;
    void OnOK() override;
};
