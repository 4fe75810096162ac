#include <library/GbkText.h>

#include <kernel/TextConverter.h>

namespace {
constexpr const char* kGbk = "GBK";
constexpr const char* kUtf8 = "UTF-8";
constexpr const char* kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// ASCII reads the same in both: most names, numbers and comments need no
// conversion at all.
bool isAscii(const std::string& text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// Opening a conversion costs far more than converting a name with it, and a
// start-up converts every name of the library: each thread keeps one.
TextConverter& gbkToUtf8Converter()
{
    thread_local TextConverter converter(kUtf8, kGbk);
    return converter;
}
} // namespace

std::optional<std::string> GbkToUtf8(const std::string& gbk)
{
    if (isAscii(gbk))
        return gbk;
    return gbkToUtf8Converter().convert(gbk);
}

std::string GbkToUtf8ForDisplay(const std::string& gbk)
{
    if (isAscii(gbk))
        return gbk;
    TextConverter& converter = gbkToUtf8Converter();
    if (std::optional<std::string> whole = converter.convert(gbk))
        return *whole;
    // Character by character: a byte that starts no valid character shows as
    // U+FFFD, and the next byte starts afresh.
    std::string output;
    for (std::size_t i = 0; i < gbk.size();) {
        const std::size_t length = IsGbkLeadByte(static_cast<unsigned char>(gbk[i])) && i + 1 < gbk.size() ? 2 : 1;
        if (const std::optional<std::string> character = converter.convert(std::string_view(gbk).substr(i, length))) {
            output += *character;
            i += length;
        } else {
            output += kReplacement;
            ++i;
        }
    }
    return output;
}

std::optional<std::string> Utf8ToGbk(const std::string& utf8)
{
    std::optional<std::string> gbk = TextConverter(kGbk, kUtf8).convert(utf8);
    // The C library drops some characters (the tag characters) without a
    // word; only a text that comes back whole counts as encodable.
    if (!gbk || GbkToUtf8(*gbk) != utf8)
        return std::nullopt;
    return gbk;
}
