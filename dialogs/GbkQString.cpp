#include <dialogs/GbkQString.h>

#include <library/GbkText.h>

#include <algorithm>

QString GbkToQString(const std::string& bytes)
{
    // ASCII, most names and every number, reads the same in both and needs
    // no conversion; a start-up shows every name of the library.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return QString::fromStdString(GbkToUtf8ForDisplay(bytes));
}

std::optional<std::string> QStringToGbk(const QString& text)
{
    return Utf8ToGbk(text.toStdString());
}
