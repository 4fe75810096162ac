#include <importer/DrawingText.h>

#include <importer/LayerRoles.h>

#include <kernel/TextConverter.h>

#include <algorithm>
#include <charconv>
#include <map>
#include <string_view>

namespace {

constexpr std::string_view kFirstUtf8Version = "AC1021";
constexpr std::string_view kEscapePrefix = "\\U+";
constexpr std::size_t kEscapeDigits = 4;
// Chinese drawings are the common case when a drawing names no code page and
// its text is not UTF-8.
constexpr const char* kFallbackCharset = "GBK";

const std::map<std::string, std::string, std::less<>>& charsetTable()
{
    static const std::map<std::string, std::string, std::less<>> table{
        {"ANSI_936", "GBK"},       {"ANSI_932", "CP932"},     {"ANSI_949", "CP949"},     {"ANSI_950", "BIG5"},
        {"ANSI_874", "CP874"},     {"ANSI_1250", "CP1250"},   {"ANSI_1251", "CP1251"},   {"ANSI_1252", "CP1252"},
        {"ANSI_1253", "CP1253"},   {"ANSI_1254", "CP1254"},   {"ANSI_1255", "CP1255"},   {"ANSI_1256", "CP1256"},
        {"ANSI_1257", "CP1257"},   {"ANSI_1258", "CP1258"},   {"DOS437", "CP437"},       {"DOS850", "CP850"},
        {"DOS852", "CP852"},       {"DOS855", "CP855"},       {"DOS857", "CP857"},       {"DOS860", "CP860"},
        {"DOS861", "CP861"},       {"DOS863", "CP863"},       {"DOS864", "CP864"},       {"DOS865", "CP865"},
        {"DOS866", "CP866"},       {"DOS869", "CP869"},       {"DOS932", "CP932"},       {"GB2312", "GBK"},
        {"BIG5", "BIG5"},          {"ISO8859-1", "ISO-8859-1"}};
    return table;
}

std::string upperAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool validUtf8(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : 4;
        if (extra == 4 || i + extra >= s.size())
            return false;
        for (std::size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2)
                return false;
        i += extra + 1;
    }
    return true;
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Replaces \U+XXXX escapes of characters of the basic plane.
std::string decodeEscapes(const std::string& text)
{
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, kEscapePrefix.size(), kEscapePrefix) == 0
            && i + kEscapePrefix.size() + kEscapeDigits <= text.size()) {
            const char* digits = text.data() + i + kEscapePrefix.size();
            unsigned value = 0;
            const auto [ptr, ec] = std::from_chars(digits, digits + kEscapeDigits, value, 16);
            if (ec == std::errc() && ptr == digits + kEscapeDigits && value != 0
                && !(value >= 0xD800 && value <= 0xDFFF)) {
                appendUtf8(out, static_cast<char32_t>(value));
                i += kEscapePrefix.size() + kEscapeDigits;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

} // namespace

TextEncoding drawingTextEncoding(const std::string& codePage, const std::string& version)
{
    if (version.size() == kFirstUtf8Version.size() && version.starts_with("AC") && version >= kFirstUtf8Version)
        return {"", false};
    const auto it = charsetTable().find(upperAscii(codePage));
    if (it != charsetTable().end())
        return {it->second, false};
    return {kFallbackCharset, true};
}

std::string decodeDrawingText(const std::string& raw, const TextEncoding& encoding)
{
    std::string text = raw;
    const bool ascii = std::all_of(raw.begin(), raw.end(), [](char c) { return (c & 0x80) == 0; });
    const bool keepUtf8 = encoding.guessed && validUtf8(raw);
    if (!encoding.charset.empty() && !ascii && !keepUtf8) {
        if (std::optional<std::string> converted = TextConverter("UTF-8", encoding.charset.c_str()).convert(raw))
            text = std::move(*converted);
    }
    return decodeEscapes(text);
}

FaceHint faceHintOfLayer(const std::string& utf8Name)
{
    const std::string name = foldLayerName(utf8Name);
    const bool top = name.find("TOP") != std::string::npos || name.find("顶") != std::string::npos
                     || name.find("上") != std::string::npos;
    const bool side = name.find("SIDE") != std::string::npos || name.find("侧") != std::string::npos;
    if (top == side)
        return FaceHint::None;
    return top ? FaceHint::Top : FaceHint::Side;
}
