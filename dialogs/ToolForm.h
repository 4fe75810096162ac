#pragma once

#include <library/KnifeInfo.h>

#include <optional>
#include <vector>

class DataExchange;
class QGridLayout;
class QWidget;
struct KnifeField;

// The form of one tool that both tool dialogs show: a labelled control for
// each value of KnifeFields, edit fields for numbers and texts, lists for
// codes and flags, at the place the field description gives.
struct ToolForm {
    // The values the edit fields show and give; every number starts at 0.
    KnifeInfo values = [] {
        KnifeInfo blank;
        blank.SafeDistance = 0.0;
        return blank;
    }();
    // The control of each value, in the order of KnifeFields.
    std::vector<QWidget*> controls;
    // The number of the tool loaded last, shown and taken back as it is even
    // when a file gave it a minus sign.
    std::optional<int> loadedToolNumber;
    // The numbers of the table's other tools, which this one may not take.
    std::vector<int> takenNumbers;

    // Creates the controls as children of owner and puts them with their
    // labels into grid.
    void build(QWidget* owner, QGridLayout* grid);
    // Fills the lists, each with its first entry selected.
    void fillLists();
    // The edit fields, numbers first, then texts, each in the form's order.
    // The tool number, the diameter and the speed must be above 0 and the
    // number not taken, unless a value is the loaded tool's own, unchanged:
    // a table written before these checks keeps its tools. A plunge feed
    // left empty is not set.
    void exchange(DataExchange& dx);

    // The tool into the values and the lists' selections; a type code
    // outside the list leaves the type list without a selection.
    void load(const KnifeInfo& knife);
    // The values and the lists' selections into the tool: a code is its
    // list's index, unless nothing is selected (a code outside the list stays
    // as it is); a flag 1 unless its list shows its first entry.
    void store(KnifeInfo& knife) const;

    // The controls in the tab order: numbers and lists, then texts.
    std::vector<QWidget*> numbersAndLists() const;
    std::vector<QWidget*> textFields() const;

private:
    // Field indexes of the texts or of the others, in the form's order.
    std::vector<std::size_t> inFormOrder(bool texts) const;
};
