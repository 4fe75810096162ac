#include <orders/JobSheet.h>

#include <orders/RunTexts.h>

#include <library/GbkText.h>

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace {

// Latin letters and digits from DejaVu, Chinese from WenQuanYi: Noto CJK
// shares its glyphs between characters and radicals, so that text read back
// from the PDF would come out as radicals. Noto is the last resort.
const QStringList kFontFamilies{QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei"),
                                QStringLiteral("Noto Sans CJK SC")};
constexpr double kTextPoints = 9.0, kTitlePoints = 15.0;

QString fromGbk(const std::string& gbk)
{
    return QString::fromStdString(GbkToUtf8ForDisplay(gbk));
}

QString mm(double value)
{
    return QString::fromStdString(SizeText(value));
}

QString sizeText(const OrderRow& row)
{
    return mm(row.length) + QStringLiteral("×") + mm(row.width) + QStringLiteral("×") + mm(row.thickness);
}

QString clock(double seconds)
{
    return QString::fromStdString(ClockText(seconds));
}

QString toolKind(int type)
{
    switch (type) {
    case 0:
        return QStringLiteral("合页刀");
    case 1:
        return QStringLiteral("垂直刀");
    default:
        return QStringLiteral("锁孔侧刀");
    }
}

QFont font(double points, bool bold = false)
{
    QFont f;
    f.setFamilies(kFontFamilies);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

bool usableRow(const OrderRow& row, const std::vector<RowOutcome>& outcomes, std::size_t i)
{
    return row.usable() && i < outcomes.size() && outcomes[i].usable();
}

class SheetPainter {
public:
    SheetPainter(QPainter& painter, QPagedPaintDevice& device, const Order& order,
                 const std::vector<RowOutcome>& outcomes)
        : m_p(painter), m_device(device), m_order(order), m_outcomes(outcomes),
          m_page(0, 0, device.width(), device.height()), m_text(font(kTextPoints)), m_bold(font(kTextPoints, true)),
          m_title(font(kTitlePoints, true)), m_metrics(m_text, &device)
    {
    }

    void paint()
    {
        m_p.save();
        m_p.setFont(m_text);
        m_p.setPen(Qt::black);
        rowList();
        for (std::size_t i = 0; i < m_order.rows.size(); ++i)
            if (usableRow(m_order.rows[i], m_outcomes, i)) {
                m_device.newPage();
                rowPage(m_order.rows[i], m_outcomes[i]);
            }
        m_p.restore();
    }

private:
    double textHeight() const { return m_metrics.height(); }

    // Writes text at the top of what is left of the page and moves below it.
    void textLine(const QString& text, double& y)
    {
        const double h = textHeight();
        m_p.drawText(QRectF(m_page.left(), y, m_page.width(), h), Qt::AlignLeft | Qt::AlignVCenter, text);
        y += h * 1.4;
    }

    void title(const QString& text, double& y)
    {
        m_p.setFont(m_title);
        textLine(text, y);
        m_p.setFont(m_text);
    }

    // The first page(s): every row of the order with its size, quantity,
    // time and status, then the totals.
    void rowList()
    {
        double y = m_page.top();
        title(QStringLiteral("生产单 ") + QString::fromStdString(m_order.name), y);
        const QStringList heads{QStringLiteral("行号"), QStringLiteral("订单号"), QStringLiteral("门型"),
                                QStringLiteral("长×宽×厚"), QStringLiteral("数量"), QStringLiteral("预计时间"),
                                QStringLiteral("状态/原因")};
        // Shares of the page's width.
        const double widths[] = {0.06, 0.14, 0.16, 0.17, 0.07, 0.10, 0.30};
        const double h = textHeight() * 1.35;
        const auto cells = [&](const QStringList& texts, double at) {
            double x = m_page.left();
            for (int c = 0; c < texts.size(); ++c) {
                const double w = widths[c] * m_page.width();
                const QString shown = m_metrics.elidedText(texts[c], Qt::ElideRight, w - h * 0.2);
                m_p.drawText(QRectF(x + h * 0.1, at, w - h * 0.2, h), Qt::AlignLeft | Qt::AlignVCenter, shown);
                x += w;
            }
            m_p.drawLine(QPointF(m_page.left(), at + h), QPointF(m_page.right(), at + h));
        };
        const auto heading = [&] {
            m_p.setFont(m_bold);
            cells(heads, y);
            m_p.setFont(m_text);
            y += h;
        };
        heading();
        int doors = 0, usable = 0;
        double seconds = 0.0;
        for (std::size_t i = 0; i < m_order.rows.size(); ++i) {
            if (y + h * 2 > m_page.bottom()) {
                m_device.newPage();
                y = m_page.top();
                heading();
            }
            const OrderRow& row = m_order.rows[i];
            const bool ok = usableRow(row, m_outcomes, i);
            QString status;
            if (ok)
                status = QStringLiteral("可加工");
            else if (i < m_outcomes.size())
                status = QString::fromStdString(m_outcomes[i].reason);
            else
                status = row.usable() ? QStringLiteral("未加工") : QStringLiteral("不能使用");
            cells({QString::number(row.line), fromGbk(row.order), fromGbk(row.doorModel), sizeText(row),
                   QString::number(row.quantity), ok ? clock(m_outcomes[i].seconds) : QString(), status},
                  y);
            y += h;
            if (ok) {
                ++usable;
                doors += row.quantity;
                seconds += m_outcomes[i].seconds * row.quantity;
            }
        }
        y += h * 0.5;
        if (y + h * 2 > m_page.bottom()) {
            m_device.newPage();
            y = m_page.top();
        }
        textLine(QStringLiteral("合计：%1 行，可加工 %2 行，门板 %3 扇，总加工时间 %4（含数量）")
                     .arg(m_order.rows.size())
                     .arg(usable)
                     .arg(doors)
                     .arg(clock(seconds)),
                 y);
    }

    // One row: its door dimensioned, then its quantity, time and tools.
    void rowPage(const OrderRow& row, const RowOutcome& outcome)
    {
        double y = m_page.top();
        title(QStringLiteral("第%1行  订单号 %2  门型 %3").arg(row.line).arg(fromGbk(row.order), fromGbk(row.doorModel)),
              y);
        textLine(QStringLiteral("长×宽×厚 %1 mm   数量 %2   合页%3   预计时间 每扇 %4，共 %5")
                     .arg(sizeText(row))
                     .arg(row.quantity)
                     .arg(row.hingesUp ? QStringLiteral("朝上") : QStringLiteral("朝下"))
                     .arg(clock(outcome.seconds), clock(outcome.seconds * row.quantity)),
                 y);
        const double h = textHeight() * 1.4;
        const double listHeight = h * (static_cast<double>(outcome.tools.size()) + 2);
        const QRectF drawing(m_page.left(), y, m_page.width(), std::max(h * 4, m_page.bottom() - y - listHeight));
        PaintDimensionedDoor(m_p, drawing, *row.door);
        y = drawing.bottom() + h * 0.5;
        m_p.setFont(m_bold);
        textLine(QStringLiteral("刀具"), y);
        m_p.setFont(m_text);
        for (const KnifeInfo& tool : outcome.tools)
            textLine(QStringLiteral("T%1   直径 %2 mm   %3").arg(tool.ID).arg(mm(tool.Diameter), toolKind(tool.Type)), y);
    }

    QPainter& m_p;
    QPagedPaintDevice& m_device;
    const Order& m_order;
    const std::vector<RowOutcome>& m_outcomes;
    QRectF m_page;
    const QFont m_text, m_bold, m_title;
    const QFontMetricsF m_metrics; // of m_text, which the table measures its cells in
};

} // namespace

void PaintJobSheet(QPainter& painter, QPagedPaintDevice& device, const Order& order,
                   const std::vector<RowOutcome>& outcomes)
{
    SheetPainter(painter, device, order, outcomes).paint();
}

void PaintJobSheet(QPainter& painter, QPagedPaintDevice& device, const Order& order,
                   const GU_OwnedList<KnifeInfo>& tools, const MachineProfile& profile)
{
    PaintJobSheet(painter, device, order, AssessOrder(order, tools, profile));
}

bool WriteJobSheet(const QString& path, const Order& order, const std::vector<RowOutcome>& outcomes, QString* error)
{
    // QSaveFile writes beside the target and renames it over the target on
    // commit: the PDF is whole or absent.
    QSaveFile file(path);
    const auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("生产单“%1”无法写入：%2").arg(path, why);
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(QStringLiteral("生产单 ") + QString::fromStdString(order.name));
        writer.setCreator(QStringLiteral("Varnholt"));
        QPainter painter;
        if (!painter.begin(&writer))
            return fail(QStringLiteral("无法生成PDF"));
        PaintJobSheet(painter, writer, order, outcomes);
        painter.end();
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

bool WriteJobSheet(const QString& path, const Order& order, const GU_OwnedList<KnifeInfo>& tools,
                   const MachineProfile& profile, QString* error)
{
    return WriteJobSheet(path, order, AssessOrder(order, tools, profile), error);
}
