#pragma once

#include <app/ModelPanes.h>

#include <vector>

struct Order;
struct RowOutcome;

// "生产单": the rows of the open order, one root row each under its line in
// the file, with its size, quantity, estimated time and whether it can be
// machined (else why not). The pane shares the rows' doors. A click on a row,
// or Enter on it, tells which door was chosen; a refused row has none.
class COrderPane : public CModelPane {
    Q_OBJECT
public:
    explicit COrderPane(QWidget* parent = nullptr);
    // outcomes: what planning found for the rows (OrderCommands::rowOutcomes);
    // null order empties the pane.
    void fill(const Order* order, const std::vector<RowOutcome>& outcomes);

signals:
    void doorChosen(const GK_DoorWithHinges* door);

protected:
    void onLeftButtonPressed(void* userData) override;
    void activate(void* userData) override;
};
