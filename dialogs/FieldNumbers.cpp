#include <dialogs/FieldNumbers.h>

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace {

constexpr int kShownDigits = 15;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The number's characters without the surrounding blanks and tabs and without
// one leading "+"; nothing for text that cannot be a number at all.
std::optional<std::string> numberCore(const QString& text)
{
    std::string s;
    s.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar ch : text) {
        if (ch.unicode() > 0x7F)
            return std::nullopt;
        s.push_back(static_cast<char>(ch.unicode()));
    }
    std::size_t first = 0;
    std::size_t last = s.size();
    while (first < last && isBlank(s[first]))
        ++first;
    while (last > first && isBlank(s[last - 1]))
        --last;
    s = s.substr(first, last - first);
    if (!s.empty() && s[0] == '+') {
        s.erase(0, 1);
        if (!s.empty() && (s[0] == '+' || s[0] == '-'))
            return std::nullopt;
    }
    if (s.empty())
        return std::nullopt;
    return s;
}

template <typename T, typename... Format>
std::optional<T> parseWhole(const std::string& s, Format... format)
{
    T value{};
    const char* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, value, format...);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<double> ReadFieldDouble(const QString& text)
{
    const auto core = numberCore(text);
    if (!core)
        return std::nullopt;
    const auto value = parseWhole<double>(*core, std::chars_format::general);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

std::optional<int> ReadFieldInt(const QString& text)
{
    const auto core = numberCore(text);
    if (!core)
        return std::nullopt;
    return parseWhole<int>(*core);
}

std::optional<unsigned> ReadFieldUnsigned(const QString& text)
{
    const auto core = numberCore(text);
    if (!core || (*core)[0] == '-')
        return std::nullopt;
    return parseWhole<unsigned>(*core);
}

QString ShowFieldDouble(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    char buffer[64];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, kShownDigits);
    if (ec != std::errc())
        return QString();
    return QString::fromLatin1(buffer, static_cast<qsizetype>(ptr - buffer));
}
