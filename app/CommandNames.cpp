#include <app/CommandNames.h>

#include <QAction>
#include <QRegularExpression>

QString CommandName(const QString& menuText)
{
    QString name = menuText.section(QLatin1Char('\t'), 0, 0);
    static const QRegularExpression accessKey(QStringLiteral("\\(&.\\)"));
    name.remove(accessKey);
    name.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    name.remove(QLatin1Char('&'));
    name.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    if (name.endsWith(QStringLiteral("...")))
        name.chop(3);
    return name.trimmed();
}

QString CommandToolTip(const QAction& action)
{
    const QString name = CommandName(action.text());
    const QKeySequence keys = action.shortcut();
    if (keys.isEmpty())
        return name;
    return QStringLiteral("%1 (%2)").arg(name, keys.toString(QKeySequence::NativeText));
}
