#include <dialogs/OrderMessages.h>

#include <QDir>

namespace {

// The replace question names this many files; the rest are counted.
constexpr qsizetype kNamedFiles = 5;

} // namespace

QString OrderOpenTitle()
{
    return QStringLiteral("打开生产单");
}

QString OrderProgramsFolderTitle(const QString& order)
{
    return QStringLiteral("选择存放生产单“%1”加工程序的文件夹").arg(order);
}

QString JobSheetSaveTitle(const QString& order)
{
    return QStringLiteral("保存生产单“%1”的PDF").arg(order);
}

QString JobSheetFileName(const QString& order)
{
    return order + QStringLiteral("_生产单.pdf");
}

QString OrderNotOpenedMessage(const QString& path, const QString& problem)
{
    return QStringLiteral("无法打开生产单“%1”：\n%2").arg(QDir::toNativeSeparators(path), problem);
}

QString OrderOpenedStatus(const QString& order, std::size_t rows, std::size_t refused)
{
    if (refused == 0)
        return QStringLiteral("已打开生产单“%1”：共 %2 行").arg(order).arg(rows);
    return QStringLiteral("已打开生产单“%1”：共 %2 行，其中 %3 行不能加工").arg(order).arg(rows).arg(refused);
}

QString NoOrderMessage()
{
    return QStringLiteral("还没有打开生产单。请先用“加工”菜单的“生产单...”打开一个。");
}

QString OrderProgramsReplaceQuestion(const QString& folder, const QStringList& names)
{
    QStringList shown = names.mid(0, kNamedFiles);
    if (names.size() > kNamedFiles)
        shown << QStringLiteral("……等共 %1 个文件").arg(names.size());
    return QStringLiteral("文件夹“%1”中已有以下加工程序：\n%2\n\n要替换它们吗？")
        .arg(QDir::toNativeSeparators(folder), shown.join(QLatin1Char('\n')));
}

QString JobSheetWrittenStatus(const QString& path)
{
    return QStringLiteral("生产单PDF已保存到“%1”").arg(QDir::toNativeSeparators(path));
}

QString JobSheetNotWrittenMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("无法保存生产单PDF“%1”：\n%2").arg(QDir::toNativeSeparators(path), reason);
}

QString NothingToPrintMessage()
{
    return QStringLiteral("图中没有门板，也没有打开的生产单，没有可打印的内容。");
}

QString PrintFailedMessage()
{
    return QStringLiteral("无法开始打印：打印机没有准备好。");
}

QString RowUsableText()
{
    return QStringLiteral("可加工");
}
