#include <orders/OrderXlsx.h>

#include <orders/OrderSheet.h>

#include <library/XmlPrecheck.h>

#include <tinyxml.h>
#include <zip.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <memory>
#include <string_view>
#include <vector>

namespace {

// Deep enough for any sheet (worksheet, sheetData, row, c, is, r, t), with
// the namespace declarations and cell attributes writers add.
constexpr XmlCounts kPartLimits{32, 64, static_cast<std::size_t>(kMaxXlsxXmlNodes)};

OrderFile notXlsx(std::string part)
{
    OrderFile file;
    file.problem = OrderFileProblem::NotXlsx;
    file.detail = std::move(part);
    return file;
}

OrderFile tooLarge(OrderFileLimit what, long long limit, std::string part)
{
    OrderFile file;
    file.problem = OrderFileProblem::TooLarge;
    file.limitOf = what;
    file.limit = limit;
    file.detail = std::move(part);
    return file;
}

// An element's name without its namespace prefix: writers differ in the
// prefixes they use for the same elements.
std::string_view localName(const TiXmlElement& element)
{
    const std::string_view name = element.Value();
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

const TiXmlElement* child(const TiXmlNode* parent, std::string_view name)
{
    for (const TiXmlElement* e = parent ? parent->FirstChildElement() : nullptr; e; e = e->NextSiblingElement())
        if (localName(*e) == name)
            return e;
    return nullptr;
}

// The attribute whose name, without its prefix, is name.
const char* attribute(const TiXmlElement& element, std::string_view name)
{
    for (const TiXmlAttribute* a = element.FirstAttribute(); a; a = a->Next()) {
        std::string_view n = a->Name();
        if (const std::size_t colon = n.find(':'); colon != std::string_view::npos)
            n = n.substr(colon + 1);
        if (n == name)
            return a->Value();
    }
    return nullptr;
}

// The text of a string item (<si>, <is>): its <t>, or its runs' <t> joined;
// phonetic runs are no part of it.
std::string itemText(const TiXmlElement& item)
{
    std::string text;
    for (const TiXmlElement* e = item.FirstChildElement(); e; e = e->NextSiblingElement()) {
        const TiXmlElement* t = localName(*e) == "t" ? e : localName(*e) == "r" ? child(e, "t") : nullptr;
        if (t && t->GetText())
            text += t->GetText();
    }
    return text;
}

// Column (from 0) and row (from 1) of a reference such as "C7"; column -1
// when it names none.
void cellReference(std::string_view ref, int& column, int& row)
{
    std::size_t i = 0;
    long long c = 0;
    for (; i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z'; ++i)
        c = std::min<long long>(c * 26 + (ref[i] - 'A' + 1), 1LL << 40);
    long long r = 0;
    std::size_t digits = 0;
    for (; i < ref.size() && ref[i] >= '0' && ref[i] <= '9'; ++i, ++digits)
        r = std::min<long long>(r * 10 + (ref[i] - '0'), 1LL << 40);
    column = c > 0 && c <= kMaxXlsxColumns + 1 ? static_cast<int>(c - 1) : (c > 0 ? kMaxXlsxColumns : -1);
    if (digits && r > 0 && r < (1LL << 31))
        row = static_cast<int>(r);
}

int rowNumber(const char* text, int fallback)
{
    if (!text)
        return fallback;
    int column = 0, row = fallback;
    cellReference(std::string("A") + text, column, row);
    return row;
}

void appendUtf8(std::string& out, unsigned long c)
{
    if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (c & 0x3F));
}

// Character references beyond ASCII ("&#21313;", "&#x5341;", as openpyxl
// writes every Chinese character) as the UTF-8 they stand for: the parser
// reads a reference as one byte. References to ASCII stay, for the parser to
// read: they may stand for "<" or "&". Never longer than the text.
std::string decodeReferences(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, 2, "&#") != 0) {
            out += text[i++];
            continue;
        }
        const bool hex = i + 2 < text.size() && (text[i + 2] == 'x' || text[i + 2] == 'X');
        std::size_t k = i + (hex ? 3 : 2);
        unsigned long c = 0;
        std::size_t digits = 0;
        for (; k < text.size() && digits < 8; ++k, ++digits) {
            const char d = text[k];
            const int v = d >= '0' && d <= '9' ? d - '0'
                          : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                          : hex && d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                        : -1;
            if (v < 0)
                break;
            c = c * (hex ? 16 : 10) + static_cast<unsigned long>(v);
        }
        if (digits && k < text.size() && text[k] == ';' && c >= 0x80 && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF)) {
            appendUtf8(out, c);
            i = k + 1;
        } else {
            out += text[i++];
        }
    }
    return out;
}

// The zip, read from memory; discarded (never written back) however reading ends.
class Workbook {
public:
    explicit Workbook(const std::string& bytes)
    {
        zip_error_t error;
        zip_error_init(&error);
        if (zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error)) {
            m_zip = zip_open_from_source(source, ZIP_RDONLY, &error);
            if (!m_zip)
                zip_source_free(source);
        }
        zip_error_fini(&error);
    }
    ~Workbook()
    {
        if (m_zip)
            zip_discard(m_zip);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    bool open() const { return m_zip != nullptr; }

    // The part parsed into document; a problem when it cannot be, and for a
    // part the workbook lacks unless it may be missing (then document stays empty).
    std::optional<OrderFile> parse(const std::string& name, TiXmlDocument& document, bool mayBeMissing = false)
    {
        std::string text;
        const zip_int64_t index = zip_name_locate(m_zip, name.c_str(), ZIP_FL_NOCASE);
        if (index < 0)
            return mayBeMissing ? std::nullopt : std::optional<OrderFile>(notXlsx(name));
        if (std::optional<OrderFile> problem = read(static_cast<zip_uint64_t>(index), name, text))
            return problem;
        text = decodeReferences(text);
        const XmlCounts counts = CountXml(text, kPartLimits);
        if (counts.nodes > kPartLimits.nodes)
            return tooLarge(OrderFileLimit::XmlNodes, kMaxXlsxXmlNodes, name);
        if (!XmlWithin(counts, kPartLimits))
            return notXlsx(name);
        // Byte by byte: the parser's UTF-8 mode can step past the end of the
        // text after a lead byte; the bytes stay UTF-8 either way.
        document.Parse(text.c_str(), nullptr, TIXML_ENCODING_LEGACY);
        if (document.Error() || !document.RootElement())
            return notXlsx(name);
        return std::nullopt;
    }

private:
    // The part unpacked, never past the limit, whatever its header claims.
    std::optional<OrderFile> read(zip_uint64_t index, const std::string& name, std::string& text)
    {
        const std::size_t cap = static_cast<std::size_t>(kMaxXlsxPartBytes);
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(m_zip, index, 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) && stat.size > cap)
            return tooLarge(OrderFileLimit::PartBytes, kMaxXlsxPartBytes, name);
        const std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(zip_fopen_index(m_zip, index, 0), zip_fclose);
        if (!file)
            return notXlsx(name);
        char buffer[1 << 16];
        for (;;) {
            const zip_int64_t got = zip_fread(file.get(), buffer, sizeof buffer);
            if (got < 0)
                return notXlsx(name);
            if (got == 0)
                return std::nullopt;
            if (text.size() + static_cast<std::size_t>(got) > cap)
                return tooLarge(OrderFileLimit::PartBytes, kMaxXlsxPartBytes, name);
            text.append(buffer, static_cast<std::size_t>(got));
        }
    }

    zip_t* m_zip = nullptr;
};

// The part of the workbook's first sheet: its relationship, resolved
// against "xl/".
std::optional<std::string> firstSheetPart(const TiXmlDocument& workbook, const TiXmlDocument& relations)
{
    const TiXmlElement* sheet = child(child(workbook.RootElement(), "sheets"), "sheet");
    const char* id = sheet ? attribute(*sheet, "id") : nullptr;
    if (!id)
        return std::nullopt;
    for (const TiXmlElement* r = relations.RootElement()->FirstChildElement(); r; r = r->NextSiblingElement()) {
        const char* rid = r->Attribute("Id");
        const char* target = r->Attribute("Target");
        if (localName(*r) != "Relationship" || !rid || !target || std::strcmp(rid, id) != 0)
            continue;
        std::string_view t = target;
        if (t.starts_with('/'))
            return std::string(t.substr(1));
        std::vector<std::string> parts{"xl"};
        for (std::size_t from = 0; from <= t.size();) {
            const std::size_t slash = std::min(t.find('/', from), t.size());
            const std::string_view segment = t.substr(from, slash - from);
            if (segment == "..") {
                if (!parts.empty())
                    parts.pop_back();
            } else if (!segment.empty() && segment != ".") {
                parts.emplace_back(segment);
            }
            from = slash + 1;
        }
        std::string path;
        for (const std::string& p : parts)
            path += (path.empty() ? "" : "/") + p;
        return path;
    }
    return std::nullopt;
}

std::string cellText(const TiXmlElement& c, const std::vector<std::string>& shared, GbkFromUtf8& toGbk)
{
    const char* type = c.Attribute("t");
    const std::string_view t = type ? type : "n";
    if (t == "inlineStr") {
        const TiXmlElement* is = child(&c, "is");
        return is ? toGbk(itemText(*is)) : std::string();
    }
    const TiXmlElement* v = child(&c, "v");
    const char* value = v ? v->GetText() : nullptr;
    if (!value)
        return {};
    if (t == "s") {
        char* end = nullptr;
        const unsigned long long i = std::strtoull(value, &end, 10);
        return end != value && *end == '\0' && i < shared.size() ? shared[i] : std::string();
    }
    if (t == "b")
        return std::string_view(value) == "1" ? "TRUE" : "FALSE";
    return toGbk(value);
}

} // namespace

OrderFile ReadXlsxOrder(const std::string& bytes)
{
    Workbook zip(bytes);
    if (!zip.open())
        return notXlsx("zip");
    TiXmlDocument workbook, relations, strings, sheet;
    if (std::optional<OrderFile> problem = zip.parse("xl/workbook.xml", workbook))
        return std::move(*problem);
    if (std::optional<OrderFile> problem = zip.parse("xl/_rels/workbook.xml.rels", relations))
        return std::move(*problem);
    const std::optional<std::string> sheetPart = firstSheetPart(workbook, relations);
    if (!sheetPart)
        return notXlsx("xl/workbook.xml");
    if (std::optional<OrderFile> problem = zip.parse("xl/sharedStrings.xml", strings, true))
        return std::move(*problem);
    if (std::optional<OrderFile> problem = zip.parse(*sheetPart, sheet))
        return std::move(*problem);

    GbkFromUtf8 toGbk;
    std::vector<std::string> shared;
    for (const TiXmlElement* si = strings.RootElement() ? strings.RootElement()->FirstChildElement() : nullptr; si;
         si = si->NextSiblingElement())
        if (localName(*si) == "si")
            shared.push_back(toGbk(itemText(*si)));

    OrderFile file;
    file.decimalComma = true;
    std::optional<OrderHeading> heading;
    std::vector<std::string> cells;
    long long cellsLeft = kMaxOrderCells;
    int line = 0;
    for (const TiXmlElement* row = child(child(sheet.RootElement(), "sheetData"), "row"); row;
         row = row->NextSiblingElement()) {
        if (localName(*row) != "row")
            continue;
        line = rowNumber(row->Attribute("r"), line + 1);
        cells.clear();
        int column = -1;
        for (const TiXmlElement* c = row->FirstChildElement(); c; c = c->NextSiblingElement()) {
            if (localName(*c) != "c")
                continue;
            if (--cellsLeft < 0)
                return tooLarge(OrderFileLimit::Cells, kMaxOrderCells, *sheetPart);
            int rowOfCell = line; // the row's own number wins
            if (const char* ref = c->Attribute("r"))
                cellReference(ref, column, rowOfCell);
            else
                column = std::min(column + 1, kMaxXlsxColumns);
            if (column < 0 || column >= kMaxXlsxColumns)
                continue;
            if (cells.size() <= static_cast<std::size_t>(column))
                cells.resize(static_cast<std::size_t>(column) + 1);
            cells[static_cast<std::size_t>(column)] = cellText(*c, shared, toGbk);
        }
        if (!heading) {
            heading = MatchHeading(cells);
            continue;
        }
        OrderSheetRow placed;
        placed.line = line;
        if (PlaceCells(cells, *heading, placed))
            file.rows.push_back(std::move(placed));
    }
    if (!heading) {
        OrderFile none;
        none.problem = OrderFileProblem::NoHeading;
        return none;
    }
    return file;
}
