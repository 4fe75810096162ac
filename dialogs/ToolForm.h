#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

class ExchangeDialog;
class DataExchange;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QWidget;
struct KnifeInfo;

// The form of one tool that both tool dialogs show: four numbers, three lists
// and four texts, laid out in three rows of four labelled controls.
struct ToolForm {
    static constexpr int kTexts = 4;

    // Members, exchanged with the fields.
    int toolNumber = 0;
    double diameter = 0.0;
    int speed = 0;
    double safeDistance = 0.0;
    std::array<std::string, kTexts> texts; // air forward, air back, drill start, drill stop

    QLineEdit* toolNumberEdit = nullptr;
    QLineEdit* diameterEdit = nullptr;
    QLineEdit* speedEdit = nullptr;
    QLineEdit* safeDistanceEdit = nullptr;
    QComboBox* typeList = nullptr;
    QComboBox* spindleList = nullptr;
    QComboBox* enableList = nullptr;
    std::array<QLineEdit*, kTexts> textEdits{};
    // The number of the tool loaded last, shown and taken back as it is even
    // when a file gave it a minus sign.
    std::optional<int> loadedToolNumber;
    // The numbers of the table's other tools, which this one may not take.
    std::vector<int> takenNumbers;

    // Creates the controls as children of owner and puts them with their
    // labels into grid: numbers in row 0, texts in row 1, lists in row 2.
    void build(QWidget* owner, QGridLayout* grid);
    // Fills the three lists, each with its first entry selected.
    void fillLists();
    // Numbers, then texts, in the order of the templates. The tool number,
    // the diameter and the speed must be above 0 and the number not taken,
    // unless a value is the loaded tool's own, unchanged: a table written
    // before these checks keeps its tools.
    void exchange(DataExchange& dx);

    // The tool into the members and the lists' selections; a type code
    // outside the list leaves the type list without a selection.
    void load(const KnifeInfo& knife);
    // The members and the lists' selections into the tool: the type is the
    // type list's index, unless nothing is selected (a code outside the list
    // stays as it is); the two flags 1 unless their list shows its first entry.
    void store(KnifeInfo& knife) const;

    // The controls in the templates' order: numbers, lists, texts.
    std::vector<QWidget*> numbersAndLists() const;
    std::vector<QWidget*> textFields() const;
};
