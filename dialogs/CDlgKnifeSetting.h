#pragma once

#include <dialogs/ExchangeDialog.h>
#include <dialogs/ToolForm.h>

#include <kernel/GU_List.h>

#include <functional>
#include <vector>

class CTreeGridCtrl;
class QFrame;
struct KnifeInfo;

// The tool table: every tool of the list in a grid, the selected tool in a
// form below it; the form follows the selection however it moves. "应用"
// writes the form into the tool it was filled from and "添加刀具" appends a
// new tool; after each the dialog hands the table to its save callback at
// once and shows the list anew (the callback may have read it again from
// disk). OK and Cancel only close the dialog. A row's context menu offers
// "编辑..." (also Enter), "复制为..." and "删除" (also Del), each on that row.
class CDlgKnifeSetting : public ExchangeDialog {
    Q_OBJECT
public:
    static constexpr int kGridId = 4368;
    // Writes the whole table; called after every change to it. It may refill
    // the list from the file instead, which the dialog then shows.
    using SaveTable = std::function<void()>;

    // Without a list (no library in memory) the grid stays empty and no tool
    // can be added.
    CDlgKnifeSetting(MessageBoxes& messages, GU_OwnedList<KnifeInfo>* knives, SaveTable saveTable);

    ToolForm m_form;

    // The column widths the user gave the grid, 0 where it sizes the column
    // itself; set before the dialog runs, read after.
    void SetUserColumnWidths(const QList<int>& widths);
    QList<int> UserColumnWidths() const;

protected:
    void DoDataExchange(DataExchange& dx) override;
    void OnInitDialog() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void InitKnifeColumns();
    // Rebuilds the rows from the tool list, keeping the selection's position.
    void FillKnifeGrid();
    // Shows the tool of the selected row in the form.
    void ShowSelectedKnife();
    void OnApply();
    void OnAddKnife();
    // The row commands, on the selected row.
    void OnEditKnife();
    void OnDuplicateKnife();
    void OnDeleteKnife();
    void showRowMenu(const QPoint& point, const QPoint& global, bool keyboard);

    void growFrameToColumns();
    void selectRow(int row);
    KnifeInfo* selectedKnife() const;
    // The numbers of the tools other than knife (all with null).
    std::vector<int> numbersBut(const KnifeInfo* knife) const;

    GU_OwnedList<KnifeInfo>* m_knives;
    // The tool the form was filled from; the only one Apply writes into.
    KnifeInfo* m_shownKnife = nullptr;
    SaveTable m_saveTable;
    QFrame* m_frame;
    CTreeGridCtrl* m_grid;
    QList<int> m_userColumnWidths;
};
