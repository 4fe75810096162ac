#include <orders/OrderCsv.h>

#include <orders/OrderSheet.h>

#include <kernel/TextConverter.h>

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr char kSeparators[] = {',', ';', '\t'};

bool isUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (n == 0 || i + n > text.size())
            return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += n;
    }
    return true;
}

// The file's text in GBK.
std::string gbkText(const std::string& bytes)
{
    const std::string_view view(bytes);
    if (view.starts_with(kUtf16LeBom) || view.starts_with(kUtf16BeBom)) {
        if (std::optional<std::string> utf8 = TextConverter("UTF-8", "UTF-16").convert(view))
            return GbkFromUtf8()(std::string_view(*utf8).substr(utf8->starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0));
        return bytes;
    }
    if (view.starts_with(kUtf8Bom))
        return GbkFromUtf8()(view.substr(kUtf8Bom.size()));
    return isUtf8(view) ? GbkFromUtf8()(view) : bytes;
}

OrderFile tooManyCells()
{
    OrderFile file;
    file.problem = OrderFileProblem::TooLarge;
    file.limitOf = OrderFileLimit::Cells;
    file.limit = kMaxOrderCells;
    return file;
}

} // namespace

CsvRecords::CsvRecords(std::string_view text, char separator, long long maxCells)
    : m_text(text), m_separator(separator), m_cellsLeft(maxCells)
{
}

void CsvRecords::quotedPart(std::string& cell)
{
    ++m_pos; // the opening quote
    while (m_pos < m_text.size()) {
        const char c = m_text[m_pos++];
        if (c == '"') {
            if (m_pos < m_text.size() && m_text[m_pos] == '"') {
                cell += '"';
                ++m_pos;
                continue;
            }
            return;
        }
        if (c == '\r' || c == '\n') {
            if (c == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n')
                ++m_pos;
            ++m_line;
            cell += '\n';
            continue;
        }
        cell += c;
    }
    // An unclosed quote takes the rest of the text.
}

bool CsvRecords::next(std::vector<std::string>& cells, int& line)
{
    cells.clear();
    if (m_overflowed || m_pos >= m_text.size())
        return false;
    line = m_line;
    for (;;) {
        if (--m_cellsLeft < 0) {
            m_overflowed = true;
            return false;
        }
        std::string& cell = cells.emplace_back();
        if (m_pos < m_text.size() && m_text[m_pos] == '"')
            quotedPart(cell);
        // Unquoted, or what follows a closing quote, up to the cell's end.
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != m_separator && m_text[m_pos] != '\r' && m_text[m_pos] != '\n')
            ++m_pos;
        cell.append(m_text.substr(start, m_pos - start));
        if (m_pos >= m_text.size())
            return true;
        const char end = m_text[m_pos++];
        if (end == m_separator)
            continue;
        if (end == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n')
            ++m_pos;
        ++m_line;
        return true;
    }
}

OrderFile ReadCsvOrder(const std::string& bytes)
{
    const std::string text = gbkText(bytes);
    std::vector<std::string> cells;
    int line = 0;

    // The separator that names the most columns in its heading line; the
    // earlier of the list on a tie.
    char separator = 0;
    int headingLine = 0;
    OrderHeading heading;
    bool overflowed = false;
    for (const char candidate : kSeparators) {
        CsvRecords records(text, candidate, kMaxOrderCells);
        while (records.next(cells, line)) {
            if (const std::optional<OrderHeading> found = MatchHeading(cells)) {
                if (found->recognised > heading.recognised) {
                    separator = candidate;
                    headingLine = line;
                    heading = *found;
                }
                break;
            }
        }
        overflowed = overflowed || records.overflowed();
    }
    if (!separator) {
        if (overflowed)
            return tooManyCells();
        OrderFile file;
        file.problem = OrderFileProblem::NoHeading;
        return file;
    }

    OrderFile file;
    file.decimalComma = separator != ',';
    CsvRecords records(text, separator, kMaxOrderCells);
    while (records.next(cells, line) && line < headingLine) {
    }
    OrderSheetRow row;
    while (records.next(cells, line)) {
        row.line = line;
        if (PlaceCells(cells, heading, row))
            file.rows.push_back(row);
    }
    if (records.overflowed())
        return tooManyCells();
    return file;
}
