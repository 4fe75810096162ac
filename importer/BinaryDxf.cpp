#include <importer/BinaryDxf.h>

#include <importer/ImportLimits.h>
#include <importer/ImportProgress.h>

#include <bit>
#include <charconv>
#include <cstdint>

namespace {

constexpr std::string_view kSentinel{"AutoCAD Binary DXF\r\n\x1a\0", 22};
// R12 files give a group code in one byte; this byte announces two more.
constexpr unsigned char kWideCode = 255;
constexpr std::size_t kGroupsPerStopCheck = 1 << 16;
constexpr char kHexDigits[] = "0123456789ABCDEF";

enum class Value { String, Real, Int16, Int32, Int64, Bool, Chunk, Unknown };

// How a group code's value is stored.
Value valueOf(unsigned code)
{
    auto in = [code](unsigned first, unsigned last) { return code >= first && code <= last; };
    if (in(0, 9) || in(100, 109) || in(300, 309) || in(320, 369) || in(390, 399) || in(410, 419) || in(430, 439)
        || in(470, 481) || code == 999 || (in(1000, 1009) && code != 1004))
        return Value::String;
    if (in(10, 59) || in(110, 149) || in(210, 239) || in(460, 469) || in(1010, 1059))
        return Value::Real;
    if (in(60, 79) || in(170, 179) || in(270, 289) || in(370, 389) || in(400, 409) || in(1060, 1070))
        return Value::Int16;
    if (in(90, 99) || in(420, 429) || in(440, 459) || code == 1071)
        return Value::Int32;
    if (in(160, 169))
        return Value::Int64;
    if (in(290, 299))
        return Value::Bool;
    if (in(310, 319) || code == 1004)
        return Value::Chunk;
    return Value::Unknown;
}

// Reads the groups one by one, numbers in little-endian order as the format
// stores them; any read past the end fails the group.
class Groups {
public:
    explicit Groups(std::string_view bytes)
        : m_bytes(bytes), m_at(kSentinel.size()),
          // The first group is 0/SECTION: its code is followed by a zero
          // byte when codes take two bytes.
          m_wide(bytes.size() > kSentinel.size() + 1 && bytes[kSentinel.size() + 1] == '\0')
    {
    }

    std::size_t offset() const { return m_at; }
    bool atEnd() const { return m_at >= m_bytes.size(); }

    bool code(unsigned& out)
    {
        std::uint64_t v = 0;
        if (!little(m_wide ? 2 : 1, v))
            return false;
        if (!m_wide && v == kWideCode && !little(2, v))
            return false;
        out = static_cast<unsigned>(v);
        return true;
    }
    bool little(std::size_t size, std::uint64_t& out)
    {
        if (m_bytes.size() - m_at < size)
            return false;
        out = 0;
        for (std::size_t i = 0; i < size; ++i)
            out |= std::uint64_t(static_cast<unsigned char>(m_bytes[m_at + i])) << (8 * i);
        m_at += size;
        return true;
    }
    // A string ends at its zero byte, a chunk after the length in its first byte.
    bool string(std::string_view& out)
    {
        const std::size_t end = m_bytes.find('\0', m_at);
        if (end == std::string_view::npos)
            return false;
        out = m_bytes.substr(m_at, end - m_at);
        m_at = end + 1;
        return true;
    }
    bool chunk(std::string_view& out)
    {
        std::uint64_t length = 0;
        if (!little(1, length) || m_bytes.size() - m_at < length)
            return false;
        out = m_bytes.substr(m_at, length);
        m_at += length;
        return true;
    }

private:
    std::string_view m_bytes;
    std::size_t m_at;
    bool m_wide;
};

template <typename T>
void appendNumber(std::string& text, T value)
{
    char digits[32];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, end);
}

void appendString(std::string& text, std::string_view s)
{
    const std::size_t start = text.size();
    text.append(s);
    for (std::size_t i = start; i < text.size(); ++i)
        if (text[i] == '\n' || text[i] == '\r')
            text[i] = ' ';
}

void appendHex(std::string& text, std::string_view chunk)
{
    for (const char c : chunk) {
        text += kHexDigits[static_cast<unsigned char>(c) >> 4];
        text += kHexDigits[static_cast<unsigned char>(c) & 0xF];
    }
}

// Appends the value of one group as its text line; false when it cannot be read.
bool appendValue(Groups& in, Value kind, std::string& text)
{
    std::uint64_t v = 0;
    std::string_view s;
    switch (kind) {
    case Value::String:
        if (!in.string(s))
            return false;
        appendString(text, s);
        return true;
    case Value::Chunk:
        if (!in.chunk(s))
            return false;
        appendHex(text, s);
        return true;
    case Value::Real:
        if (!in.little(8, v))
            return false;
        appendNumber(text, std::bit_cast<double>(v));
        return true;
    case Value::Bool:
        if (!in.little(1, v))
            return false;
        appendNumber(text, v);
        return true;
    case Value::Int16:
        if (!in.little(2, v))
            return false;
        appendNumber(text, static_cast<std::int16_t>(v));
        return true;
    case Value::Int32:
        if (!in.little(4, v))
            return false;
        appendNumber(text, static_cast<std::int32_t>(v));
        return true;
    case Value::Int64:
        if (!in.little(8, v))
            return false;
        appendNumber(text, static_cast<std::int64_t>(v));
        return true;
    case Value::Unknown:
        break;
    }
    return false;
}

BinaryDxfText damagedAt(std::size_t offset)
{
    BinaryDxfText result;
    result.failure = ImportFailure{ImportProblem::BinaryDxfDamaged, 0, offset};
    return result;
}

} // namespace

bool isBinaryDxf(std::string_view bytes)
{
    return bytes.starts_with(kSentinel);
}

BinaryDxfText binaryDxfToText(std::string_view bytes, const ImportProgress* stop)
{
    BinaryDxfText result;
    Groups in(bytes);
    std::size_t groups = 0;
    while (!in.atEnd()) {
        if (stop && ++groups % kGroupsPerStopCheck == 0 && stop->cancelled())
            return BinaryDxfText{ImportFailure{ImportProblem::Cancelled}};
        const std::size_t at = in.offset();
        unsigned code = 0;
        if (!in.code(code))
            return damagedAt(at);
        const Value kind = valueOf(code);
        if (kind == Value::Unknown)
            return damagedAt(at);
        appendNumber(result.text, code);
        result.text += '\n';
        const std::size_t valueStart = result.text.size();
        if (!appendValue(in, kind, result.text))
            return damagedAt(at);
        const bool eof = code == 0 && std::string_view(result.text).substr(valueStart) == "EOF";
        result.text += '\n';
        if (result.text.size() > import_limits::kMaxFileBytes) {
            BinaryDxfText tooLarge;
            tooLarge.failure = ImportFailure{ImportProblem::FileTooLarge};
            tooLarge.failure.limit = import_limits::kMaxFileBytes;
            return tooLarge;
        }
        if (eof) {
            result.consumed = in.offset();
            return result;
        }
    }
    ImportFailure missing{ImportProblem::MissingEof};
    return BinaryDxfText{missing};
}
