#include <library/NumberText.h>

#include <charconv>
#include <climits>
#include <cstdlib>
#include <string>
#include <locale.h>

namespace {
// Characters enough for "%.2f" of any double (the largest has 309 digits).
constexpr int kRealBufferSize = 400;
constexpr int kRealDecimals = 2;

// The "C" locale as a handle, so that the locale-taking conversions of the C
// library parse with a decimal point whatever the process locale is.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}
} // namespace

std::string FormatReal(double value)
{
    char buffer[kRealBufferSize];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, kRealDecimals);
    return std::string(buffer, result.ptr);
}

std::string FormatInt(int value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

double ParseReal(const char* text)
{
    // Plain decimals, which the files hold, read the same through the faster
    // std::from_chars; everything else (blanks, "+", hexadecimal, infinities,
    // out of range) the C library reads as it always did.
    const char* digits = text[0] == '-' ? text + 1 : text;
    if (digits[0] >= '0' && digits[0] <= '9') {
        double value = 0.0;
        const char* end = text + std::char_traits<char>::length(text);
        const auto [stop, error] = std::from_chars(text, end, value);
        if (error == std::errc() && *stop != 'x' && *stop != 'X')
            return value;
    }
    return strtod_l(text, nullptr, cLocale());
}

int ParseInt(const char* text)
{
    const long value = strtol_l(text, nullptr, 10, cLocale());
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}
