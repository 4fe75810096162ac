#pragma once

#include <dialogs/ExchangeDialog.h>
#include <dialogs/ToolForm.h>

// The values of one new tool. Only OK and the caption's close button end it.
class CDlgAddOneKnife : public ExchangeDialog {
    Q_OBJECT
public:
    explicit CDlgAddOneKnife(MessageBoxes& messages);

    // Read by the caller after IDOK, through m_form.store.
    ToolForm m_form;

protected:
    void DoDataExchange(DataExchange& dx) override;
    void OnInitDialog() override;
};
