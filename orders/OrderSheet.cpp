#include <orders/OrderSheet.h>

#include <library/NameLookup.h>

#include <algorithm>
#include <array>

namespace {

struct HeadingWords {
    OrderColumn column;
    const char* chinese; // GBK
    const char* english;
};

constexpr std::array<HeadingWords, kOrderColumns> kHeadings{{
    {OrderColumn::Order, "\xB6\xA9\xB5\xA5\xBA\xC5", "Order"}, // 订单号
    {OrderColumn::DoorModel, "\xC3\xC5\xD0\xCD", "DoorModel"}, // 门型
    {OrderColumn::Length, "\xB3\xA4\xB6\xC8", "Length"}, // 长度
    {OrderColumn::Width, "\xBF\xED\xB6\xC8", "Width"}, // 宽度
    {OrderColumn::Thickness, "\xBA\xF1\xB6\xC8", "Thickness"}, // 厚度
    {OrderColumn::Quantity, "\xCA\xFD\xC1\xBF", "Quantity"}, // 数量
    {OrderColumn::HingesUp, "\xBA\xCF\xD2\xB3\xB3\xAF\xC9\xCF", "HingesUp"}, // 合页朝上
    {OrderColumn::Note, "\xB1\xB8\xD7\xA2", "Note"}, // 备注
}};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// Length of the UTF-8 sequence at text[i], or 0 when none starts there.
std::size_t utf8Length(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = byte(i);
    const std::size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (n == 0 || i + n > text.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    return n;
}

} // namespace

std::string_view TrimBlank(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<OrderHeading> MatchHeading(const std::vector<std::string>& cells)
{
    OrderHeading heading;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string cell(TrimBlank(cells[i]));
        for (const HeadingWords& words : kHeadings) {
            int& at = heading.cellOf[static_cast<int>(words.column)];
            if (at < 0 && (cell == words.chinese || EqualNamesNoCase(cell, words.english))) {
                at = static_cast<int>(i);
                ++heading.recognised;
            }
        }
    }
    const auto has = [&](OrderColumn c) { return heading.cellOf[static_cast<int>(c)] >= 0; };
    if (!has(OrderColumn::DoorModel) || !has(OrderColumn::Length) || !has(OrderColumn::Width))
        return std::nullopt;
    return heading;
}

bool PlaceCells(const std::vector<std::string>& cells, const OrderHeading& heading, OrderSheetRow& row)
{
    bool any = false;
    for (const std::string& cell : cells)
        any = any || !TrimBlank(cell).empty();
    if (!any)
        return false;
    for (int c = 0; c < kOrderColumns; ++c) {
        const int at = heading.cellOf[c];
        row.cells[c] = at >= 0 && static_cast<std::size_t>(at) < cells.size() ? std::string(TrimBlank(cells[at])) : "";
    }
    return true;
}

std::optional<std::string> GbkFromUtf8::whole(std::string_view utf8)
{
    std::optional<std::string> gbk = m_to.convert(utf8);
    if (!gbk || m_back.convert(*gbk) != utf8)
        return std::nullopt;
    return gbk;
}

std::string GbkFromUtf8::operator()(std::string_view utf8)
{
    if (std::optional<std::string> all = whole(utf8))
        return *all;
    // Line by line, and in a line that does not convert character by
    // character: a long file with one odd character stays cheap.
    std::string gbk;
    gbk.reserve(utf8.size());
    for (std::size_t from = 0; from < utf8.size();) {
        const std::size_t end = std::min(utf8.find('\n', from), utf8.size() - 1) + 1;
        const std::string_view line = utf8.substr(from, end - from);
        if (std::optional<std::string> converted = whole(line)) {
            gbk += *converted;
        } else {
            for (std::size_t i = 0; i < line.size();) {
                if (static_cast<unsigned char>(line[i]) < 0x80) {
                    gbk += line[i++];
                    continue;
                }
                const std::size_t n = utf8Length(line, i);
                const std::optional<std::string> one = n ? whole(line.substr(i, n)) : std::nullopt;
                gbk += one ? *one : "?";
                i += n ? n : 1;
            }
        }
        from = end;
    }
    return gbk;
}
