#include "UiText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr const char* kCodec = "GBK";
}

QString FromGbk(const std::string& gbk)
{
    QStringDecoder decode(kCodec);
    return decode(QByteArrayView(gbk.data(), static_cast<qsizetype>(gbk.size())));
}

std::optional<std::string> ToGbk(const QString& text)
{
    QStringEncoder encode(kCodec);
    const QByteArray bytes = encode(text);
    if (encode.hasError())
        return std::nullopt;
    return bytes.toStdString();
}
