#include <app/OrderPane.h>

#include <app/CommandIds.h>

#include <dialogs/GbkQString.h>
#include <grid/CTreeGridCtrl.h>
#include <dialogs/MachiningMessages.h>
#include <dialogs/OrderMessages.h>
#include <orders/Order.h>
#include <orders/OrderPrograms.h>

#include <QRegularExpression>

namespace {

constexpr int kNumberWidth = 50;
constexpr int kTextWidth = 100;
constexpr int kSizeWidth = 110;

// "2050×860×40", "2050.5×860×40": as the order writes them.
QString sizeText(const OrderRow& row)
{
    const auto mm = [](double v) { return QString::number(v, 'f', 2).remove(QRegularExpression("\\.?0+$")); };
    return mm(row.length) + QStringLiteral("×") + mm(row.width) + QStringLiteral("×") + mm(row.thickness);
}

} // namespace

COrderPane::COrderPane(QWidget* parent)
    : CModelPane(QStringLiteral("生产单"), QStringLiteral("OrderPane"), ID_ORDER_PANE, ID_ORDER_GRID, parent)
{
    insertColumns({
        {QStringLiteral("行号"), kNumberWidth, Qt::AlignRight},
        {QStringLiteral("订单号"), kTextWidth},
        {QStringLiteral("门型"), kTextWidth},
        {QStringLiteral("尺寸"), kSizeWidth, Qt::AlignRight},
        {QStringLiteral("数量"), kNumberWidth, Qt::AlignRight},
        {QStringLiteral("预计加工时间"), kTextWidth, Qt::AlignRight},
        {QStringLiteral("状态"), kTextWidth},
    });
    // A row chosen with the keys shows its door as a clicked one does.
    connect(&grid(), &CTreeGridCtrl::itemChanged, this, [this](void* data) { activate(data); });
}

void COrderPane::fill(const Order* order, const std::vector<RowOutcome>& outcomes)
{
    clearRows();
    for (std::size_t i = 0; order && i < order->rows.size(); ++i) {
        const OrderRow& row = order->rows[i];
        // A row the estimate did not reach shows what reading it found.
        const RowOutcome* outcome = i < outcomes.size() ? &outcomes[i] : nullptr;
        const bool usable = row.usable() && (!outcome || outcome->usable());
        QString status = RowUsableText();
        if (!row.usable())
            status = QString::fromStdString(RefusalText(row.refusal));
        else if (!usable)
            status = QString::fromStdString(outcome->reason);
        // A refused row's cells may not be numbers: it shows none of them.
        const bool sized = row.length > 0 && row.width > 0 && row.thickness > 0;
        addNumberedRow(row.door, QString::number(row.line),
                       {GbkToQString(row.order), GbkToQString(row.doorModel), sized ? sizeText(row) : QString(),
                        row.quantity > 0 ? QString::number(row.quantity) : QString(),
                        usable && outcome ? DurationText(outcome->seconds) : QString(), status});
    }
    fitColumns();
}

void COrderPane::onLeftButtonPressed(void* userData)
{
    activate(userData);
}

void COrderPane::activate(void* userData)
{
    if (userData)
        emit doorChosen(static_cast<const GK_DoorWithHinges*>(userData));
}
