#include <dialogs/UserMessages.h>

#include <dialogs/GbkQString.h>

#include <library/ErrnoText.h>
#include <library/LibraryText.h>

#include <QDir>

#include <cerrno>

namespace {
// A Chinese character takes three bytes of a file name.
constexpr std::size_t kUtf8BytesPerChineseCharacter = 3;
} // namespace

QString ModelNoun(ModelKind kind)
{
    switch (kind) {
    case ModelKind::Hinges:
        return QStringLiteral("合页模型");
    case ModelKind::LockCore:
        return QStringLiteral("锁芯模型");
    case ModelKind::Door:
        break;
    }
    return QStringLiteral("门型");
}

QString SystemErrorText(int error)
{
    return QString::fromStdString(ErrnoText(error));
}

QString ModelNameProblemText(ModelNameProblem problem)
{
    switch (problem) {
    case ModelNameProblem::DotName:
        return QStringLiteral("名称不能是“.”或“..”");
    case ModelNameProblem::Separator:
        return QStringLiteral("名称中不能有“/”或“\\”");
    case ModelNameProblem::ControlCharacter:
        return QStringLiteral("名称中不能有控制字符");
    case ModelNameProblem::NotGbk:
        return QStringLiteral("名称不是有效的GBK文字");
    case ModelNameProblem::ForbiddenCharacter:
        return QStringLiteral("名称中不能有“:”“*”“?”“\"”“<”“>”“|”");
    case ModelNameProblem::TrailingDotOrSpace:
        return QStringLiteral("名称不能以“.”或空格结尾");
    case ModelNameProblem::DeviceName:
        return QStringLiteral("名称在第一个“.”之前不能是设备名（CON、PRN、AUX、NUL、COM1至COM9、LPT1至LPT9）");
    case ModelNameProblem::TooLong:
        return QStringLiteral("名称太长，最多可以有%1个英文字母或数字，或%2个汉字")
            .arg(kMaxModelNameBytes)
            .arg(kMaxModelNameBytes / kUtf8BytesPerChineseCharacter);
    case ModelNameProblem::Empty:
        return QStringLiteral("名称不能为空，也不能只有空格");
    case ModelNameProblem::None:
        break;
    }
    return {};
}

QString SaveProblemText(const SaveResult& result)
{
    switch (result.problem) {
    case SaveProblem::NoModel:
        return QStringLiteral("没有要保存的模型");
    case SaveProblem::NoLibrary:
        return QStringLiteral("程序中没有刀具表");
    case SaveProblem::BadName:
        return ModelNameProblemText(result.nameProblem);
    case SaveProblem::NotFinite:
        return QStringLiteral("有坐标或尺寸不是有效的数");
    case SaveProblem::OutOfRange:
        return QStringLiteral("有数值超出了允许的范围");
    case SaveProblem::CannotCreate:
        return QStringLiteral("无法在文件夹中建立文件（%1）").arg(SystemErrorText(result.error));
    case SaveProblem::CannotWrite:
        return QStringLiteral("无法写入文件（%1）").arg(SystemErrorText(result.error));
    case SaveProblem::CannotReplace:
        return QStringLiteral("无法替换原有的文件（%1）").arg(SystemErrorText(result.error));
    case SaveProblem::TooLarge:
        return QStringLiteral("模型太大，保存后将无法读入");
    case SaveProblem::ReadOnly:
        return QStringLiteral("原有的文件是只读的，不能替换");
    case SaveProblem::ChangedOnDisk:
        return QStringLiteral("文件在本程序读取之后被其他程序修改过");
    case SaveProblem::OtherModelsFile:
        return QStringLiteral("文件中保存的是另一个模型“%1”").arg(GbkToQString(result.otherName));
    case SaveProblem::None:
        break;
    }
    return {};
}

QString ModelNotSavedMessage(const SaveResult& result)
{
    return QStringLiteral("文件“%1”没有保存：%2。\n模型没有加入列表。")
        .arg(QString::fromUtf8(result.path), SaveProblemText(result));
}

QString ToolTableNotSavedMessage(const SaveResult& result)
{
    return QStringLiteral("刀具表没有保存到文件“%1”：%2。\n修改仍保留在程序中，但下次启动时将不再存在。")
        .arg(QString::fromUtf8(result.path), SaveProblemText(result));
}

QString RefusedNameMessage(ModelNameProblem problem)
{
    if (problem == ModelNameProblem::Empty)
        return QStringLiteral("请输入名称：%1。").arg(ModelNameProblemText(problem));
    return QStringLiteral("这个名称不能用作文件名：%1。").arg(ModelNameProblemText(problem));
}

QString OtherModelsFileMessage(ModelKind kind, const std::string& gbkName, const std::string& gbkOtherName)
{
    return QStringLiteral("名称“%1”对应的文件中保存的是另一个%2“%3”，保存会把它覆盖。\n请换一个名称。")
        .arg(GbkToQString(gbkName), ModelNoun(kind), GbkToQString(gbkOtherName));
}

QString ChangedOnDiskQuestion(const SaveResult& result)
{
    return QStringLiteral("文件“%1”在本程序读取之后被其他程序修改过（可能是另一台电脑上的本程序）。\n"
                          "选择“覆盖”，用本程序的内容替换它；选择“重新读取”，放弃这次保存，从磁盘重新读取。")
        .arg(QString::fromUtf8(result.path));
}

QStringList ChangedOnDiskChoices()
{
    return {QStringLiteral("覆盖"), QStringLiteral("重新读取")};
}

QString ReplaceModelQuestion(ModelKind kind, const std::string& gbkName)
{
    return QStringLiteral("已经有名为“%1”的%2。\n要用新的%2替换它吗？").arg(GbkToQString(gbkName), ModelNoun(kind));
}

QString BadDoorSizeMessage()
{
    return QStringLiteral("门板的长度、宽度和厚度都必须至少为0.01（文件中保留两位小数）。");
}

QString NoDoorMessage()
{
    return QStringLiteral("当前不存在门模型！");
}

QString DocumentNotOpenedMessage(const QString& path, int error)
{
    // Here the missing thing is the file itself, not a folder on its way.
    const QString why = error == ENOENT ? QStringLiteral("文件不存在") : SystemErrorText(error);
    return QStringLiteral("无法打开文件“%1”：%2。").arg(QDir::toNativeSeparators(path), why);
}

QString DeleteToolbarQuestion(const QString& title)
{
    return QStringLiteral("要删除工具栏“%1”吗？").arg(title);
}

QString LoadProblemText(const LoadOutcome& outcome)
{
    switch (outcome.problem) {
    case LoadProblem::None:
        break;
    case LoadProblem::Unreadable:
        return QStringLiteral("无法读取：%1").arg(SystemErrorText(outcome.error));
    case LoadProblem::NotAFile:
        return QStringLiteral("不是普通文件");
    case LoadProblem::TooLarge:
        return QStringLiteral("文件太大，超过了 %1 MB").arg(kMaxLibraryFileSize >> 20);
    case LoadProblem::TooDeep:
        return QStringLiteral("元素嵌套超过 %1 层").arg(kLibraryXmlLimits.depth);
    case LoadProblem::TooManyAttributes:
        return QStringLiteral("一个元素的属性超过 %1 个").arg(kLibraryXmlLimits.attributes);
    case LoadProblem::TooManyNodes:
        return QStringLiteral("元素、属性和文本超过 %1 个").arg(kLibraryXmlLimits.nodes);
    case LoadProblem::NotWellFormed:
        return QStringLiteral("不是格式正确的XML文件");
    case LoadProblem::NoRootElement:
        return QStringLiteral("没有根元素");
    case LoadProblem::MissingOutline:
        return QStringLiteral("缺少轮廓，或轮廓不足三个顶点");
    case LoadProblem::NonFiniteNumber:
        return QStringLiteral("含有无穷大或不是数字的数值");
    case LoadProblem::BadDoorSize:
        return QStringLiteral("门板的长度、宽度或厚度不大于零");
    }
    return {};
}

QString UnboundDoorText(const UnboundDoor& door)
{
    QStringList missing;
    if (!door.missingHinges.empty())
        missing << QStringLiteral("合页模型“%1”").arg(GbkToQString(door.missingHinges));
    if (!door.missingLockCore.empty())
        missing << QStringLiteral("锁芯模型“%1”").arg(GbkToQString(door.missingLockCore));
    return QStringLiteral("门型“%1”所用的%2不存在")
        .arg(GbkToQString(door.doorName), missing.join(QStringLiteral("和")));
}

QString PassedOverNote(std::size_t files, std::size_t doors)
{
    QStringList parts;
    if (files)
        parts << QStringLiteral("%1 个文件未能读入").arg(files);
    if (doors)
        parts << QStringLiteral("%1 个门型缺少模型").arg(doors);
    return parts.join(QStringLiteral("，"));
}
