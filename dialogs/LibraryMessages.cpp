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

QString DeleteModelQuestion(ModelKind kind, const std::string& gbkName)
{
    return QStringLiteral("要删除%1“%2”吗？\n文件会移到模型库的“已删除”文件夹中，可以用“撤销”恢复。")
        .arg(ModelNoun(kind), GbkToQString(gbkName));
}

QString LibraryOperationFailedMessage(const QString& what, const std::string& path, int error)
{
    return QStringLiteral("%1没有完成：文件“%2”（%3）。").arg(what, QString::fromUtf8(path), SystemErrorText(error));
}

QString DeletedStatus(ModelKind kind, const std::string& gbkName)
{
    return QStringLiteral("已删除%1“%2”").arg(ModelNoun(kind), GbkToQString(gbkName));
}

QString RenamedStatus(ModelKind kind, const std::string& gbkOldName, const std::string& gbkNewName)
{
    return QStringLiteral("%1“%2”已改名为“%3”").arg(ModelNoun(kind), GbkToQString(gbkOldName), GbkToQString(gbkNewName));
}

QString UndoneStatus(const QString& what)
{
    return QStringLiteral("已撤销：%1").arg(what);
}

QString NothingToUndoStatus()
{
    return QStringLiteral("没有可以撤销的操作");
}
