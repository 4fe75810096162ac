#include <dialogs/GbkQString.h>

#include <library/GbkText.h>

QString GbkToQString(const std::string& bytes)
{
    return QString::fromStdString(GbkToUtf8ForDisplay(bytes));
}

std::optional<std::string> QStringToGbk(const QString& text)
{
    return Utf8ToGbk(text.toStdString());
}
