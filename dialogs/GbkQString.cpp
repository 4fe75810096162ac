#include <dialogs/GbkQString.h>

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr const char* kGbk = "GBK";
}

QString GbkToQString(const std::string& bytes)
{
    QStringDecoder decoder(kGbk);
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::optional<std::string> QStringToGbk(const QString& text)
{
    QStringEncoder encoder(kGbk);
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes.toStdString();
}
