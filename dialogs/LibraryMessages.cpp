#include <dialogs/LibraryMessages.h>

#include <dialogs/GbkQString.h>

#include <QStringList>

namespace {
QString millimetres(double value)
{
    return QString::number(value, 'f', 2);
}
} // namespace

QString HingeOffLeafMessage(int number, double position, double by)
{
    return QStringLiteral("第%1个合页（位置%2）超出门板%3毫米。\n请调整合页的位置。")
        .arg(number)
        .arg(millimetres(position), millimetres(by));
}

QString LockCoreOffLeafMessage(double position, double by)
{
    return QStringLiteral("锁芯（位置X %1）超出门板%2毫米。\n请调整锁芯的位置X。").arg(millimetres(position), millimetres(by));
}

QString DoorWithoutHingesQuestion()
{
    return QStringLiteral("四个合页位置都是0，这个门型将没有合页。\n确实要建立没有合页的门型吗？");
}

QString NoLockCoreEntry()
{
    return QStringLiteral("无锁芯");
}

QString ToolValueNotPositiveMessage(const QString& field)
{
    return QStringLiteral("“%1”必须大于0。").arg(field);
}

QString ToolNumberTakenMessage(int number)
{
    return QStringLiteral("刀号%1已经有另一把刀具在用。\n请换一个刀号。").arg(number);
}

QString ModelInUseMessage(ModelKind kind, const std::string& gbkName, const std::vector<std::string>& gbkDoors)
{
    QStringList doors;
    for (const std::string& door : gbkDoors)
        doors << QStringLiteral("“%1”").arg(GbkToQString(door));
    return QStringLiteral("%1“%2”不能删除，这些门型在用它：%3。\n请先修改或删除这些门型。")
        .arg(ModelNoun(kind), GbkToQString(gbkName), doors.join(QStringLiteral("、")));
}

QString NameTakenMessage(ModelKind kind, const std::string& gbkName)
{
    return QStringLiteral("已经有名为“%1”的%2。\n请换一个名称。").arg(GbkToQString(gbkName), ModelNoun(kind));
}

QString LibraryRefusalMessage(ModelKind kind, const std::string& gbkName, const LibraryOutcome& outcome)
{
    using P = LibraryOutcome::Problem;
    const QString model = QStringLiteral("%1“%2”").arg(ModelNoun(kind), GbkToQString(gbkName));
    switch (outcome.problem) {
    case P::InUse:
        return ModelInUseMessage(kind, gbkName, outcome.doors);
    case P::NameTaken:
        return NameTakenMessage(kind, gbkName);
    case P::BadName:
        return RefusedNameMessage(outcome.nameProblem);
    case P::SaveFailed:
        return QStringLiteral("%1没有改动完：%2").arg(model, ModelNotSavedMessage(outcome.saved));
    case P::TargetTaken:
        return QStringLiteral("%1不能恢复：文件“%2”已经存在。").arg(model, QString::fromUtf8(outcome.path));
    case P::MoveFailed:
        return QStringLiteral("%1的文件“%2”不能移动（%3）。")
            .arg(model, QString::fromUtf8(outcome.path), SystemErrorText(outcome.error));
    case P::NoModel:
        return QStringLiteral("%1已经不在模型库中。").arg(model);
    case P::None:
        break;
    }
    return {};
}

QString LibraryStepText(const LibraryStep& step)
{
    if (step.part == LibraryPart::Tools)
        return QStringLiteral("修改刀具表");
    const QString model = QStringLiteral("%1“%2”").arg(ModelNoun(KindOfPart(step.part)), GbkToQString(step.name));
    switch (step.kind) {
    case LibraryStep::Kind::Added:
        return QStringLiteral("新增%1").arg(model);
    case LibraryStep::Kind::Replaced:
        return QStringLiteral("修改%1").arg(model);
    case LibraryStep::Kind::Removed:
        return QStringLiteral("删除%1").arg(model);
    case LibraryStep::Kind::Renamed:
        break;
    }
    return QStringLiteral("%1改名为“%2”").arg(model, GbkToQString(step.newName));
}

ModelKind KindOfPart(LibraryPart part)
{
    switch (part) {
    case LibraryPart::LockCores:
        return ModelKind::LockCore;
    case LibraryPart::Doors:
        return ModelKind::Door;
    case LibraryPart::Hinges:
    case LibraryPart::Tools:
        break;
    }
    return ModelKind::Hinges;
}

QString DeletedStatus(ModelKind kind, const std::string& gbkName)
{
    return QStringLiteral("已删除%1“%2”").arg(ModelNoun(kind), GbkToQString(gbkName));
}

QString RenamedStatus(ModelKind kind, const std::string& gbkOldName, const std::string& gbkNewName)
{
    return QStringLiteral("%1“%2”已改名为“%3”").arg(ModelNoun(kind), GbkToQString(gbkOldName), GbkToQString(gbkNewName));
}

QString UndoneStatus(const LibraryStep& step)
{
    return QStringLiteral("已撤销：%1").arg(LibraryStepText(step));
}

QString NothingToUndoStatus()
{
    return QStringLiteral("没有可以撤销的操作");
}
