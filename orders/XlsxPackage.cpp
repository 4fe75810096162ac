#include <orders/XlsxPackage.h>

#include <library/XmlPrecheck.h>

#include <tinyxml.h>
#include <zip.h>

#include <memory>
#include <string_view>

namespace {

// Deep enough for any sheet (worksheet, sheetData, row, c, is, r, t), with
// the namespace declarations and cell attributes writers add.
constexpr XmlCounts kPartLimits{32, 64, static_cast<std::size_t>(kMaxXlsxXmlNodes)};

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

} // namespace

OrderFile NotXlsxFile(std::string part)
{
    OrderFile file;
    file.problem = OrderFileProblem::NotXlsx;
    file.detail = std::move(part);
    return file;
}

OrderFile TooLargeFile(OrderFileLimit what, long long limit, std::string part)
{
    OrderFile file;
    file.problem = OrderFileProblem::TooLarge;
    file.limitOf = what;
    file.limit = limit;
    file.detail = std::move(part);
    return file;
}

XlsxPackage::XlsxPackage(const std::string& bytes)
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

XlsxPackage::~XlsxPackage()
{
    if (m_zip)
        zip_discard(m_zip);
}

std::optional<OrderFile> XlsxPackage::parse(const std::string& name, TiXmlDocument& document, bool mayBeMissing)
{
    std::string text;
    const zip_int64_t index = zip_name_locate(m_zip, name.c_str(), ZIP_FL_NOCASE);
    if (index < 0)
        return mayBeMissing ? std::nullopt : std::optional<OrderFile>(NotXlsxFile(name));
    if (std::optional<OrderFile> problem = read(static_cast<zip_uint64_t>(index), name, text))
        return problem;
    text = decodeReferences(text);
    const XmlCounts counts = CountXml(text, kPartLimits);
    if (counts.nodes > kPartLimits.nodes)
        return TooLargeFile(OrderFileLimit::XmlNodes, kMaxXlsxXmlNodes, name);
    if (!XmlWithin(counts, kPartLimits))
        return NotXlsxFile(name);
    // Byte by byte: the parser's UTF-8 mode can step past the end of the
    // text after a lead byte; the bytes stay UTF-8 either way.
    document.Parse(text.c_str(), nullptr, TIXML_ENCODING_LEGACY);
    if (document.Error() || !document.RootElement())
        return NotXlsxFile(name);
    return std::nullopt;
}

std::optional<OrderFile> XlsxPackage::read(unsigned long long index, const std::string& name, std::string& text)
{
    const std::size_t cap = static_cast<std::size_t>(kMaxXlsxPartBytes);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_zip, index, 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) && stat.size > cap)
        return TooLargeFile(OrderFileLimit::PartBytes, kMaxXlsxPartBytes, name);
    const std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(zip_fopen_index(m_zip, index, 0), zip_fclose);
    if (!file)
        return NotXlsxFile(name);
    char buffer[1 << 16];
    for (;;) {
        const zip_int64_t got = zip_fread(file.get(), buffer, sizeof buffer);
        if (got < 0)
            return NotXlsxFile(name);
        if (got == 0)
            return std::nullopt;
        if (text.size() + static_cast<std::size_t>(got) > cap)
            return TooLargeFile(OrderFileLimit::PartBytes, kMaxXlsxPartBytes, name);
        text.append(buffer, static_cast<std::size_t>(got));
    }
}
