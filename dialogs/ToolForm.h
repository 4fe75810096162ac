#pragma once

#include <array>
#include <string>
#include <vector>

class ExchangeDialog;
class DataExchange;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QWidget;

// The form of one tool that both tool dialogs show: four numbers, three lists
// and four texts, laid out in three rows of four labelled controls.
struct ToolForm {
    static constexpr int kTexts = 4;

    // Members, exchanged with the fields.
    unsigned toolNumber = 0;
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

    // Creates the controls as children of owner and puts them with their
    // labels into grid: numbers in row 0, texts in row 1, lists in row 2.
    void build(QWidget* owner, QGridLayout* grid);
    // Fills the three lists, each with its first entry selected.
    void fillLists();
    // Numbers, then texts, in the order of the templates.
    void exchange(DataExchange& dx);

    // The controls in the templates' order: numbers, lists, texts.
    std::vector<QWidget*> numbersAndLists() const;
    std::vector<QWidget*> textFields() const;
};
