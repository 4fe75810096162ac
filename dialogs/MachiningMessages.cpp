#include <dialogs/MachiningMessages.h>

#include <dialogs/GbkQString.h>
#include <dialogs/UserMessages.h>
#include <machining/FeatureNames.h>
#include <machining/ToolChoice.h>

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

QString millimetres(double value)
{
    return QString::number(value, 'f', 2);
}

QString programName(ProgramKind kind)
{
    return kind == ProgramKind::Hinges ? QStringLiteral("合页加工程序") : QStringLiteral("锁孔加工程序");
}

QString missingToolLine(const MissingTool& m)
{
    if (m.pocket)
        return QStringLiteral("%1（%2×%3，深%4）：没有能放进去的%5")
            .arg(FeatureText(m.feature), millimetres(m.width), millimetres(m.height), millimetres(m.depth),
                 ToolKindsText(m.kinds));
    return QStringLiteral("%1（直径%2，深%3）：没有直径%2的%4，也没有更小的可以铣出它")
        .arg(FeatureText(m.feature), millimetres(m.diameter), millimetres(m.depth), ToolKindsText(m.kinds));
}

QString leftOutReason(const FeatureRef& feature)
{
    switch (feature.kind) {
    case FeatureKind::HingeHole:
        return QStringLiteral("深度为0而合页不开槽，或没有直径");
    case FeatureKind::BodySlot:
        return QStringLiteral("锁芯厚度为0");
    default:
        return QStringLiteral("没有直径");
    }
}

} // namespace

QString FeatureText(const FeatureRef& feature)
{
    return GbkToQString(FeatureName(feature));
}

QString ProgramKindText(ProgramKind kind)
{
    return programName(kind);
}

QString MillimetreText(double value)
{
    return millimetres(value);
}

QString ToolKindsText(int kinds)
{
    QStringList names;
    if (kinds & kHingeTools)
        names << QStringLiteral("合页刀");
    if (kinds & kVerticalTools)
        names << QStringLiteral("垂直刀");
    if (kinds & kSideTools)
        names << QStringLiteral("锁孔侧刀");
    return names.join(QStringLiteral("或"));
}

QString DurationText(double seconds)
{
    const long total = std::lround(std::max(0.0, seconds));
    if (total < 60)
        return QStringLiteral("%1秒").arg(total);
    if (total < 3600)
        return QStringLiteral("%1分%2秒").arg(total / 60).arg(total % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1小时%2分").arg(total / 3600).arg((total % 3600) / 60, 2, 10, QLatin1Char('0'));
}

QString ToolsUsedText(const std::vector<const MachiningPlan*>& plans)
{
    QStringList ids;
    for (const MachiningPlan* plan : plans)
        for (const ToolUse& use : plan->uses)
            if (!ids.contains(QString::number(use.tool.ID)))
                ids << QString::number(use.tool.ID);
    return QStringLiteral("刀具 ") + ids.join(QStringLiteral("、"));
}

QString PlanRefusedMessage(const MachiningPlan& plan)
{
    const QString door = GbkToQString(plan.doorName);
    switch (plan.status) {
    case PlanStatus::NothingToMachine:
        return plan.kind == ProgramKind::Hinges
                   ? QStringLiteral("门型“%1”没有要加工的合页，没有生成合页加工程序。").arg(door)
                   : QStringLiteral("门型“%1”没有锁芯，没有生成锁孔加工程序。").arg(door);
    case PlanStatus::MissingTools: {
        QStringList lines;
        for (const MissingTool& m : plan.missing)
            lines << missingToolLine(m);
        return QStringLiteral("刀具表中缺少刀具，没有生成%1：\n%2").arg(programName(plan.kind), lines.join(QLatin1Char('\n')));
    }
    case PlanStatus::OutsideDoor: {
        QStringList names;
        for (const FeatureRef& f : plan.outside)
            names << FeatureText(f);
        return QStringLiteral("以下部位超出了门板，没有生成%1：\n%2\n请检查门型中合页、锁芯的位置和门板尺寸。")
            .arg(programName(plan.kind), names.join(QStringLiteral("、")));
    }
    case PlanStatus::Ready:
        break;
    }
    return {};
}

QString LeftOutMessage(const MachiningPlan& plan)
{
    QStringList lines;
    for (const FeatureRef& f : plan.leftOut)
        lines << QStringLiteral("%1：%2").arg(FeatureText(f), leftOutReason(f));
    for (const UnreachedArea& u : plan.unreached)
        lines << QStringLiteral("%1：刀具够不到的角，共%2平方毫米").arg(FeatureText(u.feature), QString::number(u.area, 'f', 1));
    if (lines.isEmpty())
        return {};
    return QStringLiteral("%1已生成，以下部位没有加工或没有加工完：\n%2").arg(programName(plan.kind), lines.join(QLatin1Char('\n')));
}

QString ProgramWrittenStatus(const QString& path, const MachiningPlan& plan, double seconds)
{
    return QStringLiteral("已生成%1“%2”：%3，预计加工时间%4")
        .arg(programName(plan.kind), path, ToolsUsedText({&plan}), DurationText(seconds));
}

QString PreviewStatus(const std::vector<const MachiningPlan*>& plans, double seconds)
{
    return QStringLiteral("加工预览：%1，预计加工时间%2").arg(ToolsUsedText(plans), DurationText(seconds));
}

QString PreviewNothingStatus()
{
    return QStringLiteral("加工预览：当前门型没有可以生成的加工程序");
}

QString ProgramNotSavedMessage(const SaveResult& result)
{
    return QStringLiteral("加工程序没有写入文件“%1”：%2。").arg(QString::fromUtf8(result.path), SaveProblemText(result));
}

QString ProfileNotSavedMessage(const SaveResult& result)
{
    return QStringLiteral("机床设置没有保存到文件“%1”：%2。\n本次运行仍按新的设置生成程序。")
        .arg(QString::fromUtf8(result.path), SaveProblemText(result));
}

QString ProfileProblemText(ProfileProblem problem)
{
    switch (problem) {
    case ProfileProblem::OriginCorner:
        return QStringLiteral("原点只能在门板的四个角之一。");
    case ProfileProblem::Direction:
        return QStringLiteral("坐标轴方向只能是正向或反向。");
    case ProfileProblem::SideAxis:
        return QStringLiteral("侧头的轴名须是 X、Y、Z、U、V、W、A、B、C 中的一个字母，三个轴各不相同。");
    case ProfileProblem::SafeHeight:
        return QStringLiteral("安全高度须大于0，不超过%1毫米。").arg(kMaxSafeHeight);
    case ProfileProblem::Breakthrough:
        return QStringLiteral("穿透量须在0到%1毫米之间。").arg(kMaxBreakthrough);
    case ProfileProblem::RecessDepth:
        return QStringLiteral("锁面板槽深须大于0，不超过%1毫米。").arg(kMaxRecessDepth);
    case ProfileProblem::Stepover:
        return QStringLiteral("步距须在刀径的%1%到%2%之间。").arg(kMinStepover).arg(kMaxStepover);
    case ProfileProblem::LineNumbers:
        return QStringLiteral("行号间隔须在0到%1之间（0表示不写行号）。").arg(kMaxLineNumberStep);
    case ProfileProblem::Extension:
        return QStringLiteral("文件扩展名须是1到%1个字母或数字。").arg(kMaxExtension);
    case ProfileProblem::RapidFeed:
        return QStringLiteral("快移速度须在%1到%2毫米/分之间。").arg(kMinRapidFeed).arg(kMaxRapidFeed);
    case ProfileProblem::PassDepthDiameters:
        return QStringLiteral("每层最大切深须在刀径的%1到%2倍之间。").arg(kMinPassDepthDiameters).arg(kMaxPassDepthDiameters);
    case ProfileProblem::PassDepthMax:
        return QStringLiteral("每层最大切深须在%1到%2毫米之间。").arg(kMinPassDepthMax).arg(kMaxPassDepthMax);
    case ProfileProblem::HelixAngle:
        return QStringLiteral("螺旋下刀最大角度须在%1到%2度之间。").arg(kMinHelixAngle).arg(kMaxHelixAngle);
    case ProfileProblem::PeckDepth:
        return QStringLiteral("啄钻深度须为0（不啄钻）或在%1到%2毫米之间。").arg(kMinPeckDepth).arg(kMaxPeckDepth);
    case ProfileProblem::StartLine:
        return QStringLiteral("程序起始行只能是一行，不超过%1个字节（一个汉字占两个字节）。").arg(kMaxStartLine);
    case ProfileProblem::None:
        break;
    }
    return {};
}
