#pragma once

#include <dialogs/ExchangeDialog.h>
#include <dialogs/ToolForm.h>

class CTreeGridCtrl;
class QFrame;
struct KnifeInfo;

// The tool table: every tool of the current library in a grid, the clicked
// tool in a form below it. "应用" writes the form into the selected tool and
// "添加刀具" appends a new tool; each saves the whole table at once. OK and
// Cancel only close the dialog.
class CDlgKnifeSetting : public ExchangeDialog {
    Q_OBJECT
public:
    static constexpr int kGridId = 4368;

    explicit CDlgKnifeSetting(MessageBoxes& messages);

    ToolForm m_form;

protected:
    void DoDataExchange(DataExchange& dx) override;
    void OnInitDialog() override;

private:
    void InitKnifeColumns();
    // Rebuilds the rows from the tool list, keeping the selection's position.
    void FillKnifeGrid();
    // Shows the tool of the selected row in the form.
    void ShowSelectedKnife();
    void OnApply();
    void OnAddKnife();

    void selectRow(int row);
    KnifeInfo* selectedKnife() const;
    // Saves the table; a failure is reported, the tools in memory keep the change.
    void saveTable();

    QFrame* m_frame;
    CTreeGridCtrl* m_grid;
};
