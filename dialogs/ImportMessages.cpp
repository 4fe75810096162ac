#include <dialogs/ImportMessages.h>

#include <dialogs/GbkQString.h>
#include <importer/ImportLimits.h>

#include <array>
#include <csignal>
#include <utility>

namespace {

// Names of the $INSUNITS codes 0 to 24, in their order.
constexpr std::array<const char*, 25> kUnitNames{
    "无单位", "英寸", "英尺", "英里", "毫米", "厘米", "米", "千米", "微英寸", "密耳", "码", "埃", "纳米",
    "微米", "分米", "十米", "百米", "吉米", "天文单位", "光年", "秒差距", "美国测量英尺", "美国测量英寸",
    "美国测量码", "美国测量英里",
};

QString fileText(const std::string& bytes)
{
    return QString::fromUtf8(bytes);
}

// The AutoCAD release that writes a DWG version ("AC1015").
QString dwgRelease(const std::string& version)
{
    static const std::array<std::pair<const char*, const char*>, 14> releases{{
        {"AC1001", "2.2"}, {"AC1002", "2.5"}, {"AC1003", "2.6"}, {"AC1004", "R9"},
        {"AC1006", "R10"}, {"AC1009", "R11/R12"}, {"AC1012", "R13"}, {"AC1014", "R14"},
        {"AC1015", "2000"}, {"AC1018", "2004"}, {"AC1021", "2007"}, {"AC1024", "2010"},
        {"AC1027", "2013"}, {"AC1032", "2018"},
    }};
    for (const auto& [code, release] : releases)
        if (version == code)
            return QStringLiteral("AutoCAD %1").arg(QLatin1String(release));
    return QStringLiteral("未知版本的 AutoCAD");
}

QString formatName(DrawingFormat format)
{
    return format == DrawingFormat::Dwg ? QStringLiteral("DWG") : QStringLiteral("DXF");
}

// How to make a drawing small enough for the import.
const QString kSimplify = QStringLiteral("请删除图纸中与模型无关的内容（图框、标注、其他零件）后另存为 DXF 再导入");

QString readerSignalText(int signal)
{
    switch (signal) {
    case SIGSEGV:
    case SIGBUS:
        return QStringLiteral("访问了无效的内存（信号 %1），图纸可能已损坏").arg(signal);
    case SIGABRT:
        return QStringLiteral("程序中止（信号 %1），图纸可能已损坏").arg(signal);
    case SIGKILL:
        return QStringLiteral("被强制结束（信号 %1）").arg(signal);
    default:
        return QStringLiteral("被信号 %1 终止").arg(signal);
    }
}

// The file itself: missing, unreadable, not a drawing, or damaged.
QString fileProblemText(const ImportReport& report)
{
    const ImportFailure& failure = report.failure;
    switch (failure.problem) {
    case ImportProblem::FileMissing:
        return QStringLiteral("文件不存在");
    case ImportProblem::NotAFile:
        return QStringLiteral("不是普通文件");
    case ImportProblem::CannotRead:
        return QStringLiteral("无法读取文件（%1）").arg(SystemErrorText(failure.error));
    case ImportProblem::EmptyFile:
        return QStringLiteral("文件为空");
    case ImportProblem::FileTooLarge:
        return QStringLiteral("文件过大，无法导入");
    case ImportProblem::BinaryDxfDamaged:
        return QStringLiteral("二进制 DXF 文件已损坏：第 %1 字节处的组无法读取").arg(failure.line);
    case ImportProblem::BinaryData:
        return QStringLiteral("文件不是 DXF 图纸（含有二进制数据）");
    case ImportProblem::NoGroupCode:
        return QStringLiteral("文件不是 DXF 图纸（开头不是组码）");
    case ImportProblem::NoSection:
        return QStringLiteral("文件不是 DXF 图纸（开头不是 SECTION）");
    case ImportProblem::NoGroups:
        return QStringLiteral("文件不是 DXF 图纸");
    case ImportProblem::BadGroupCode:
        return QStringLiteral("DXF 文件已损坏：第 %1 行应为组码").arg(failure.line);
    case ImportProblem::LineTooLong:
        return QStringLiteral("DXF 文件第 %1 行超过 %2 个字符，无法可靠读取").arg(failure.line).arg(failure.limit);
    case ImportProblem::MissingValue:
        return QStringLiteral("DXF 文件不完整：最后一个组码缺少数值，文件可能被截断");
    case ImportProblem::MissingEof:
        return QStringLiteral("DXF 文件不完整：缺少 EOF 结尾，文件可能被截断");
    case ImportProblem::BadCount:
        return QStringLiteral("DXF 文件中的 %1 声明了不合理的点数（第 %2 行）")
            .arg(fileText(failure.detail))
            .arg(failure.line);
    case ImportProblem::Unparsable:
        return QStringLiteral("%1 文件已损坏，无法解析").arg(formatName(report.format));
    case ImportProblem::ParserOutOfMemory:
        return QStringLiteral("%1 文件过大或已损坏，内存不足").arg(formatName(report.format));
    default:
        return {};
    }
}

// A drawing beyond one of the import's limits.
QString limitProblemText(const ImportFailure& failure)
{
    switch (failure.problem) {
    case ImportProblem::TooManyDeclared:
        return QStringLiteral("图纸中的图元声明的点数合计超过 %1 个的上限（第 %2 行）；%3")
            .arg(failure.limit)
            .arg(failure.line)
            .arg(kSimplify);
    case ImportProblem::TooManyEntities:
        return QStringLiteral("图纸中的图元超过 %1 个的导入上限；%2").arg(failure.limit).arg(kSimplify);
    case ImportProblem::TooManyVertices:
        return QStringLiteral("图纸中的顶点超过 %1 个的导入上限；%2").arg(failure.limit).arg(kSimplify);
    case ImportProblem::EntityTooLarge:
        return QStringLiteral("图纸中有图元的顶点超过 %1 个的导入上限；请简化该曲线后另存为 DXF 再导入")
            .arg(failure.limit);
    case ImportProblem::TooManyBlocks:
        return QStringLiteral("图纸中的图块超过 %1 个的导入上限；请清理未使用的图块后另存为 DXF 再导入")
            .arg(failure.limit);
    case ImportProblem::TooManyPlaced:
        return QStringLiteral("图纸展开图块引用和阵列后的图元超过 %1 个的导入上限；请分解或删除多余的图块引用后再导入")
            .arg(failure.limit);
    case ImportProblem::ContainmentTooCostly:
        return QStringLiteral("判断圆和轮廓各在哪个轮廓之内需要超过 %1 次计算的导入上限；请简化轮廓或删除多余的圆和轮廓后再导入")
            .arg(failure.limit);
    case ImportProblem::TooManyCurvePoints:
        return QStringLiteral("图纸中的曲线细分后超过 %1 个点的导入上限；请删除不需要的圆弧、椭圆和样条曲线后再导入")
            .arg(failure.limit);
    default:
        return {};
    }
}

// The reader process did not come back with the drawing.
QString readerProblemText(const ImportFailure& failure)
{
    switch (failure.problem) {
    case ImportProblem::ReaderMissing:
        return QStringLiteral("找不到图纸解析程序“%1”，请重新安装本程序").arg(QString::fromUtf8(failure.detail));
    case ImportProblem::ReaderNotStarted:
        return QStringLiteral("无法启动图纸解析程序（%1）").arg(SystemErrorText(failure.error));
    case ImportProblem::ReaderCrashed:
        return QStringLiteral("图纸解析程序异常退出：%1").arg(readerSignalText(failure.error));
    case ImportProblem::ReaderExited:
        return QStringLiteral("图纸解析程序异常退出：退出码 %1").arg(failure.error);
    case ImportProblem::ReaderOutOfMemory:
        return QStringLiteral("图纸解析程序异常退出：内存不足或超过 %1 MB 的上限；%2")
            .arg(failure.limit >> 20)
            .arg(kSimplify);
    case ImportProblem::ReaderTimeLimit:
        return QStringLiteral("图纸解析程序异常退出：解析用时超过 %1 秒的上限；%2").arg(failure.limit).arg(kSimplify);
    case ImportProblem::ReaderHung:
        return QStringLiteral("图纸解析程序异常退出：超过 %1 秒没有完成，已被结束").arg(failure.limit);
    case ImportProblem::ReaderGarbage:
        return QStringLiteral("图纸解析程序异常退出：传回的数据无效");
    case ImportProblem::ReaderIncomplete:
        return QStringLiteral("图纸解析程序异常退出：传回的数据不完整");
    case ImportProblem::NodeMissing:
        return QStringLiteral("读取 DWG 图纸需要 Node.js，本机尚未安装；请在终端运行“sudo apt-get install nodejs”"
                              "（或重新运行“./run.sh”）后再导入，或在 CAD 中将图纸另存为 DXF");
    case ImportProblem::DwgReaderMissing:
        return QStringLiteral("找不到 DWG 图纸解析组件（应在“%1”中）；请重新运行“./run.sh”，或在该目录运行“npm ci”")
            .arg(QString::fromUtf8(failure.detail));
    default:
        return {};
    }
}

// Why entities of a kind were left out, with the limit they passed.
QString skipReasonText(const SkippedKind& kind)
{
    switch (kind.reason) {
    case SkipReason::Unsupported:
        return kind.entity.empty() ? QStringLiteral("其他不支持的图元类型")
                                   : QStringLiteral("不支持的图元类型 %1").arg(fileText(kind.entity));
    case SkipReason::PolygonMesh:
        return QStringLiteral("多边形网格");
    case SkipReason::PaperSpace:
        return QStringLiteral("位于图纸空间");
    case SkipReason::NotInPlane:
        return QStringLiteral("不平行于 XY 平面");
    case SkipReason::BadCoordinates:
        return QStringLiteral("坐标超出 ±%1 毫米的上限或不是有效数字")
            .arg(import_limits::kMaxCoordinate, 0, 'f', 0);
    case SkipReason::BadScale:
        return QStringLiteral("图块引用的比例为零或无效");
    case SkipReason::BadArc:
        return QStringLiteral("圆弧的半径或角度无效");
    case SkipReason::BadCircle:
        return QStringLiteral("圆的半径或圆心无效");
    case SkipReason::BadPolyline:
        return QStringLiteral("多段线的顶点不足两个或数值无效");
    case SkipReason::BadEllipse:
        return QStringLiteral("椭圆的轴或参数无效");
    case SkipReason::BadSpline:
        return QStringLiteral("样条曲线的阶数超过 %1、控制点不足或数值无效").arg(import_limits::kMaxSplineDegree);
    }
    return {};
}

// "跳过图元 3 个（坐标超出 … 2 个；不支持的图元类型 HATCH 1 个）"; the cause
// alone when all were left out for one.
QString skippedText(const ImportReport& report)
{
    const std::size_t total = report.skippedTotal();
    if (total == 0)
        return {};
    QStringList causes;
    for (const auto& [kind, count] : report.skipped)
        causes << (report.skipped.size() == 1 ? skipReasonText(kind)
                                              : QStringLiteral("%1 %2 个").arg(skipReasonText(kind)).arg(count));
    return QStringLiteral("跳过图元 %1 个（%2）").arg(total).arg(causes.join(QStringLiteral("；")));
}

QString noOutlineText(const ImportReport& report)
{
    QString text = QStringLiteral("图中没有封闭轮廓");
    if (!report.openChains.empty())
        text += QStringLiteral("（有 %1 条未闭合的线段链）").arg(report.openChains.size());
    // An outline may be among what was left out: say so, and why.
    if (const QString skipped = skippedText(report); !skipped.isEmpty())
        text += QStringLiteral("；") + skipped;
    return text;
}

// The drawing was read but makes no model, or the import stopped.
QString modelProblemText(const ImportReport& report)
{
    const ImportFailure& failure = report.failure;
    switch (failure.problem) {
    case ImportProblem::NoClosedOutline:
        return noOutlineText(report);
    case ImportProblem::OneOutline:
        return QStringLiteral("图中只有一个封闭轮廓；锁芯需要顶面和侧面两个互不包含的轮廓");
    case ImportProblem::NestedOutlines:
        return QStringLiteral("其余封闭轮廓都在最大的轮廓之内；锁芯需要顶面和侧面两个互不包含的轮廓");
    case ImportProblem::NoPart:
        return QStringLiteral("图中的封闭轮廓都是图框、标题栏或标注，没有零件轮廓");
    case ImportProblem::OutOfMemory:
        return QStringLiteral("内存不足，无法导入该图纸");
    case ImportProblem::InternalError:
        return QStringLiteral("导入时出现内部错误");
    case ImportProblem::Cancelled:
        return QStringLiteral("导入已取消");
    case ImportProblem::UnitPastLimit:
        return QStringLiteral("按“%1”读图，坐标将超出 ±%2 毫米的上限").arg(UnitName(failure.error)).arg(failure.limit);
    default:
        return {};
    }
}

QString problemText(const ImportReport& report)
{
    for (QString text : {fileProblemText(report), limitProblemText(report.failure),
                         readerProblemText(report.failure), modelProblemText(report)})
        if (!text.isEmpty())
            return text;
    return {};
}

} // namespace

QString UnitName(int code)
{
    if (code < 0 || code >= static_cast<int>(kUnitNames.size()))
        return QString();
    return QString::fromUtf8(kUnitNames[static_cast<std::size_t>(code)]);
}

QString UnitSource(const DrawingUnit& unit)
{
    if (unit.chosen)
        return unit.insunits ? QStringLiteral("手动选择；图纸 $INSUNITS = %1").arg(*unit.insunits)
                             : QStringLiteral("手动选择；图纸未设单位");
    if (!unit.insunits)
        return QStringLiteral("图纸未设单位，按毫米");
    const QString source = QStringLiteral("$INSUNITS = %1").arg(*unit.insunits);
    if (*unit.insunits == unit.code)
        return source;
    if (*unit.insunits == 0)
        return source + QStringLiteral("（无单位，按毫米）");
    return source + QStringLiteral("（未知单位，按毫米）");
}

QString ImportFailureText(const ImportReport& report)
{
    if (!report.failure)
        return QStringLiteral("图中没有可以用作模型的内容");
    return problemText(report);
}

QString ImportFailedMessage(ModelKind kind, const QString& path, const ImportReport& report)
{
    return QStringLiteral("没有从CAD图“%1”得到%2：%3。").arg(path, ModelNoun(kind), ImportFailureText(report));
}

QString ImportStartedText(const QString& path)
{
    return QStringLiteral("正在导入“%1”…").arg(path);
}

QString ImportEndedText(ModelKind kind, const std::vector<std::string>& savedNames, const ImportReport& report)
{
    if (savedNames.empty())
        return QStringLiteral("没有保存%1").arg(ModelNoun(kind));
    QStringList names;
    for (const std::string& name : savedNames)
        names << QStringLiteral("“%1”").arg(GbkToQString(name));
    return QStringLiteral("已保存%1%2；%3").arg(ModelNoun(kind), names.join(QStringLiteral("、")), ImportSummary(report));
}

QString UnitRefusedMessage(int code, const ImportFailure& failure)
{
    ImportReport report;
    report.failure = failure;
    return QStringLiteral("图纸仍按原单位读取，没有改为“%1”：%2。").arg(UnitName(code), problemText(report));
}

QString ImportStageText(ImportStage stage)
{
    switch (stage) {
    case ImportStage::Reading:
        return QStringLiteral("正在读取图纸…");
    case ImportStage::Placing:
        return QStringLiteral("正在展开图块和曲线…");
    case ImportStage::Outlines:
        return QStringLiteral("正在连接轮廓…");
    case ImportStage::Model:
        return QStringLiteral("正在生成模型…");
    }
    return {};
}

QString ImportSummary(const ImportReport& report)
{
    if (report.failure)
        return QStringLiteral("导入失败：") + problemText(report);
    QString line = QStringLiteral("导入完成：轮廓 %1 个，孔 %2 个").arg(report.outlines).arg(report.holes);
    if (report.frames > 0)
        line += QStringLiteral("，图框 %1 个").arg(report.frames);
    if (report.parts > 1)
        line += QStringLiteral("，图中零件 %1 个").arg(report.parts);
    if (report.unit)
        line += QStringLiteral("，单位 %1（%2）").arg(UnitName(report.unit->code), UnitSource(*report.unit));
    if (report.format == DrawingFormat::Dwg) {
        line += QStringLiteral("，DWG 版本 %1（%2）").arg(dwgRelease(report.version), fileText(report.version));
        if (!report.codePage.empty())
            line += QStringLiteral("，代码页 %1").arg(fileText(report.codePage));
    }
    if (const QString skipped = skippedText(report); !skipped.isEmpty())
        line += QStringLiteral("，") + skipped;
    const std::size_t closedAnyway = report.closedAnyway();
    if (closedAnyway > 0)
        line += QStringLiteral("，补闭合 %1 处").arg(closedAnyway);
    if (const std::size_t open = report.openChains.size() - closedAnyway)
        line += QStringLiteral("，未闭合链 %1 条").arg(open);
    if (report.leftInside > 0)
        line += QStringLiteral("，轮廓内未导入 %1 个").arg(report.leftInside);
    for (const ImportNote& note : report.notes)
        if (note.kind == NoteKind::TextCut)
            line += QStringLiteral("，过长的文字 %1 处已截断").arg(note.count);
    return line;
}

namespace {

QString sizeText(double width, double height)
{
    return QStringLiteral("%1 × %2").arg(width, 0, 'f', 2).arg(height, 0, 'f', 2);
}

} // namespace

QString ChosenHingeText(double width, double height, std::size_t holes)
{
    return QStringLiteral("已选轮廓 %1，孔 %2 个").arg(sizeText(width, height)).arg(holes);
}

QString ChosenLockCoreText(double topWidth, double topHeight, std::size_t topHoles, double sideWidth,
                           double sideHeight, std::size_t sideHoles)
{
    return QStringLiteral("已选顶面 %1，孔 %2 个；侧面 %3，孔 %4 个")
        .arg(sizeText(topWidth, topHeight))
        .arg(topHoles)
        .arg(sizeText(sideWidth, sideHeight))
        .arg(sideHoles);
}

QString ImplausibleSizeText(double width, double height, std::optional<int> unit, double unitWidth,
                            double unitHeight)
{
    const bool large = width > 1.0 && height > 1.0;
    QString text = QStringLiteral("轮廓 %1 毫米，作为门五金%2")
                       .arg(sizeText(width, height), large ? QStringLiteral("太大") : QStringLiteral("太小"));
    if (unit)
        return text + QStringLiteral("；若图纸单位为“%1”，则为 %2 毫米").arg(UnitName(*unit), sizeText(unitWidth, unitHeight));
    return text + QStringLiteral("；请检查图纸单位");
}

QString ImportPreviewHint(bool lockCore, bool sideNext)
{
    if (!lockCore)
        return QStringLiteral("单击轮廓或按 Tab 键选择零件");
    return sideNext ? QStringLiteral("单击轮廓选择侧面，Tab 键切换") : QStringLiteral("单击轮廓选择顶面，Tab 键切换");
}
