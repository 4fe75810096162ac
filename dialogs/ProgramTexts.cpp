#include <dialogs/ProgramTexts.h>

#include <dialogs/MachiningMessages.h>

#include <QDir>

namespace {

// Separators, control characters and what Windows refuses in a file name.
QString fileNamePart(const QString& name)
{
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    QString part;
    part.reserve(name.size());
    for (const QChar c : name)
        part += (c.category() == QChar::Other_Control || forbidden.contains(c)) ? QChar(u'_') : c;
    part = part.trimmed();
    while (part.endsWith(QLatin1Char('.')))
        part.chop(1);
    return part.isEmpty() ? QStringLiteral("门型") : part;
}

} // namespace

QString ProgramSaveTitle(ProgramKind kind, const QString& door)
{
    return QStringLiteral("保存门型“%1”的%2").arg(door, ProgramKindText(kind));
}

QString ProgramFileName(ProgramKind kind, const QString& door, const QString& extension)
{
    const QString suffix = kind == ProgramKind::Hinges ? QStringLiteral("合页") : QStringLiteral("锁孔");
    return QStringLiteral("%1_%2.%3").arg(fileNamePart(door), suffix, extension);
}

QString ProgramsFolderTitle(const QString& door)
{
    return QStringLiteral("选择保存门型“%1”加工程序的文件夹").arg(door);
}

QString ProgramsReplaceQuestion(const QString& folder, const QStringList& names)
{
    return QStringLiteral("文件夹“%1”中已有%2，要替换吗？")
        .arg(QDir::toNativeSeparators(folder), QStringLiteral("“") + names.join(QStringLiteral("”、“")) + QStringLiteral("”"));
}

QString ProgramsWrittenStatus(const QString& folder, const QStringList& names,
                              const std::vector<const MachiningPlan*>& plans, double seconds)
{
    return QStringLiteral("已在“%1”生成%2：%3，预计加工时间%4")
        .arg(QDir::toNativeSeparators(folder), names.join(QStringLiteral("、")), ToolsUsedText(plans),
             DurationText(seconds));
}

QString PreviewToolText(const PreviewTool& tool)
{
    const QString text = QStringLiteral("刀具%1  Ø%2").arg(tool.id).arg(MillimetreText(tool.diameter));
    return tool.sideHead ? text + QStringLiteral("  侧头") : text;
}

QString PreviewRapidText()
{
    return QStringLiteral("快速移动");
}

QString PreviewDrillText()
{
    return QStringLiteral("钻孔（圆为刀径）");
}

QString PreviewEdgeText()
{
    return QStringLiteral("锁边（侧头加工）");
}

QString PreviewHoverStatus(const FeatureRef& feature, const PreviewTool& tool, double depth)
{
    return QStringLiteral("%1：刀具%2%3，直径%4，深%5")
        .arg(FeatureText(feature))
        .arg(tool.id)
        .arg(tool.sideHead ? QStringLiteral("（侧头）") : QString(), MillimetreText(tool.diameter), MillimetreText(depth));
}
