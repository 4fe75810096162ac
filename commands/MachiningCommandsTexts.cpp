#include <commands/MachiningCommandsTexts.h>

#include <dialogs/MachiningMessages.h>

#include <QStringList>

namespace {

QString perTurn(double feed, double speed)
{
    return QString::number(feed / speed, 'f', 2);
}

QString sizeName(const Overrun& o)
{
    return o.hole ? QStringLiteral("直径") : o.kind == OverrunKind::Along ? QStringLiteral("长") : QStringLiteral("宽");
}

} // namespace

QString PlanWarningText(const PlanWarning& w)
{
    const QString limitPerTurn = QString::number(kMaxFeedPerTurn, 'f', 1);
    switch (w.kind) {
    case WarningKind::FeedPerTurn:
        return QStringLiteral("刀具%1：进给 %2 mm/min 在 S%3 下为每转 %4 mm，超过 %5 mm")
            .arg(w.tool).arg(w.value).arg(w.speed).arg(perTurn(w.value, w.speed), limitPerTurn);
    case WarningKind::PlungePerTurn:
        return QStringLiteral("刀具%1：下刀进给 %2 mm/min 在 S%3 下为每转 %4 mm，超过 %5 mm")
            .arg(w.tool).arg(w.value).arg(w.speed).arg(perTurn(w.value, w.speed), limitPerTurn);
    case WarningKind::PlungeFeed:
        return QStringLiteral("刀具%1：下刀进给 %2 mm/min，超过 %3 mm/min").arg(w.tool).arg(w.value).arg(kMaxPlungeFeed);
    case WarningKind::ThinWall:
        return QStringLiteral("%1：孔边离门边只有 %2 mm，不到 %3 mm，会崩边")
            .arg(FeatureText(w.feature), MillimetreText(w.value), MillimetreText(kMinHoleWall));
    }
    return {};
}

QString UnreachedText(const UnreachedArea& u)
{
    return QStringLiteral("%1：角上 %2 平方毫米刀具表中没有刀具够得到，需要直径 %3 或更小的刀具")
        .arg(FeatureText(u.feature), QString::number(u.area, 'f', 1), MillimetreText(ReachingDiameter(u)));
}

QString OverrunText(const Overrun& o)
{
    const QString name = FeatureText(o.ref);
    switch (o.kind) {
    case OverrunKind::Along:
        return QStringLiteral("%1：%2%3，从%4到%5，超出门长%6")
            .arg(name, sizeName(o), MillimetreText(o.size), MillimetreText(o.from), MillimetreText(o.to), MillimetreText(o.limit));
    case OverrunKind::Across:
        if (o.edge)
            return QStringLiteral("%1：%2%3，门厚%4，锁边放不下").arg(name, sizeName(o), MillimetreText(o.size), MillimetreText(o.limit));
        return QStringLiteral("%1：%2%3，从%4到%5，超出门宽%6")
            .arg(name, sizeName(o), MillimetreText(o.size), MillimetreText(o.from), MillimetreText(o.to), MillimetreText(o.limit));
    case OverrunKind::Depth:
        if (o.edge)
            return QStringLiteral("%1：深%2，门宽%3").arg(name, MillimetreText(o.size), MillimetreText(o.limit));
        return QStringLiteral("%1：深%2，门厚只允许%3").arg(name, MillimetreText(o.size), MillimetreText(o.limit));
    }
    return {};
}

QString WarningsQuestion(const std::vector<const MachiningPlan*>& plans)
{
    QStringList lines;
    for (const MachiningPlan* plan : plans) {
        for (const PlanWarning& w : plan->warnings)
            if (const QString line = PlanWarningText(w); !lines.contains(line))
                lines << line;
        for (const UnreachedArea& u : plan->unreached)
            lines << UnreachedText(u);
    }
    if (lines.isEmpty())
        return {};
    return QStringLiteral("加工程序有以下问题：\n%1\n仍要写入吗？").arg(lines.join(QLatin1Char('\n')));
}

QString RefusalMessage(const MachiningPlan& plan)
{
    if (plan.status != PlanStatus::OutsideDoor || plan.overruns.empty())
        return PlanRefusedMessage(plan);
    QStringList lines;
    for (const Overrun& o : plan.overruns)
        lines << OverrunText(o);
    return QStringLiteral("以下部位超出了门板，没有生成%1：\n%2\n请检查门型中合页、锁芯的位置和门板尺寸。")
        .arg(ProgramKindText(plan.kind), lines.join(QLatin1Char('\n')));
}

QString LeftOutAfterQuestion(const MachiningPlan& plan)
{
    MachiningPlan leftOut;
    leftOut.kind = plan.kind;
    leftOut.leftOut = plan.leftOut;
    return LeftOutMessage(leftOut);
}
