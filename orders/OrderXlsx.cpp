#include <orders/OrderXlsx.h>

#include <orders/OrderSheet.h>
#include <orders/XlsxPackage.h>

#include <tinyxml.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

namespace {

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
    XlsxPackage zip(bytes);
    if (!zip.open())
        return NotXlsxFile("zip");
    TiXmlDocument workbook, relations, strings, sheet;
    if (std::optional<OrderFile> problem = zip.parse("xl/workbook.xml", workbook))
        return std::move(*problem);
    if (std::optional<OrderFile> problem = zip.parse("xl/_rels/workbook.xml.rels", relations))
        return std::move(*problem);
    const std::optional<std::string> sheetPart = firstSheetPart(workbook, relations);
    if (!sheetPart)
        return NotXlsxFile("xl/workbook.xml");
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
                return TooLargeFile(OrderFileLimit::Cells, kMaxOrderCells, *sheetPart);
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
