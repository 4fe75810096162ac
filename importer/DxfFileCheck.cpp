#include <importer/DxfFileCheck.h>

#include <importer/BinaryDxf.h>
#include <importer/ImportLimits.h>
#include <importer/ImportProgress.h>

#include <charconv>
#include <filesystem>
#include <system_error>

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kDwgMagic = "AC10";
constexpr std::size_t kDwgVersionLength = 6;
constexpr long long kCommentCode = 999;
constexpr long long kVariableCode = 9;
// dxflib reads a line into a buffer of 1024 bytes: a longer one is split.
constexpr std::size_t kMaxLineBytes = 1022;
// The highest group code a DXF file holds (extended data).
constexpr long long kMaxGroupCode = 1071;
// Groups whose values are texts or comments.
bool isTextCode(long long code)
{
    return code == 1 || code == 3 || code == kCommentCode || code == 1000 || (code >= 300 && code <= 309);
}
// Groups read between two looks at the stop request.
constexpr std::size_t kGroupsPerStopCheck = 1 << 16;

// dxflib strips line ends, blanks and tabs at the end and blanks and tabs at
// the start of every line.
std::string_view stripLikeParser(std::string_view s)
{
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    return s;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool parseInt(std::string_view s, long long& out)
{
    // Nearly every line read is a group code, a few digits after blanks:
    // those are read on the spot, anything else as the parser strips it.
    constexpr std::size_t kQuickDigits = 18; // cannot overflow
    std::size_t start = 0;
    while (start < s.size() && (s[start] == ' ' || s[start] == '\t'))
        ++start;
    std::size_t end = start;
    long long quick = 0;
    while (end < s.size() && end - start < kQuickDigits && isDigit(s[end]))
        quick = quick * 10 + (s[end++] - '0');
    if (end > start && end - start < kQuickDigits) {
        std::size_t rest = end;
        while (rest < s.size() && (s[rest] == ' ' || s[rest] == '\t' || s[rest] == '\r' || s[rest] == '\n'))
            ++rest;
        if (rest == s.size()) {
            out = quick;
            return true;
        }
    }
    s = stripLikeParser(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return false;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && ptr == s.data() + s.size();
}

// Entities whose declared sizes the parser allocates for.
enum class Sized { None, LwPolyline, Spline, Leader, Hatch };

Sized sizedKind(std::string_view entity)
{
    if (entity == "LWPOLYLINE")
        return Sized::LwPolyline;
    if (entity == "SPLINE")
        return Sized::Spline;
    if (entity == "LEADER")
        return Sized::Leader;
    if (entity == "HATCH")
        return Sized::Hatch;
    return Sized::None;
}

// Group codes whose value is such a size.
bool isCountCode(Sized kind, long long code)
{
    switch (kind) {
    case Sized::LwPolyline:
        return code == 90;
    case Sized::Spline:
        return code == 72 || code == 73 || code == 74;
    case Sized::Leader:
        return code == 76;
    case Sized::Hatch:
        return code == 91 || code == 93 || code == 95 || code == 96 || code == 97 || code == 98;
    case Sized::None:
        break;
    }
    return false;
}

// Walks the text as lines, splitting on LF as dxflib's reading does.
class LineCursor {
public:
    explicit LineCursor(std::string_view text, std::size_t start) : m_text(text), m_pos(start) {}
    bool next(std::string_view& line)
    {
        if (m_pos >= m_text.size())
            return false;
        // DXF lines are short: a plain loop beats a library search here.
        const char* begin = m_text.data() + m_pos;
        const char* end = m_text.data() + m_text.size();
        const char* p = begin;
        while (p != end && *p != '\n')
            ++p;
        line = std::string_view(begin, static_cast<std::size_t>(p - begin));
        m_pos = std::min(m_text.size(), m_pos + line.size() + 1);
        ++m_number;
        return true;
    }
    std::size_t lineNumber() const { return m_number; }
    // Bytes read so far, from the start of the text.
    std::size_t offset() const { return m_pos; }

private:
    std::string_view m_text;
    std::size_t m_pos;
    std::size_t m_number = 0;
};

ImportFailure failure(ImportProblem problem, std::size_t line = 0, std::string detail = {}, std::size_t limit = 0)
{
    ImportFailure f{problem, 0, line, std::move(detail)};
    f.limit = limit;
    return f;
}

DxfFileCheck fail(ImportProblem problem, std::size_t line = 0, std::string detail = {}, std::size_t limit = 0)
{
    return DxfFileCheck{failure(problem, line, std::move(detail), limit), 0};
}

DxfFileCheck scanGroups(std::string_view text, std::size_t start, const ImportProgress* stop)
{
    LineCursor cursor(text, start);
    std::string_view codeLine;
    std::string_view value;
    std::string_view entity;
    Sized sized = Sized::None;
    bool sawFirstGroup = false;
    std::vector<std::size_t> cuts;
    std::size_t declared = 0; // vertices declared over the whole file
    std::size_t groups = 0;
    while (cursor.next(codeLine)) {
        if (stop && ++groups % kGroupsPerStopCheck == 0 && stop->cancelled())
            return fail(ImportProblem::Cancelled);
        long long code = 0;
        if (!parseInt(codeLine, code)) {
            if (!sawFirstGroup)
                return fail(ImportProblem::NoGroupCode);
            return fail(ImportProblem::BadGroupCode, cursor.lineNumber());
        }
        if (code < 0 || code > kMaxGroupCode)
            return fail(ImportProblem::BadGroupCode, cursor.lineNumber());
        if (codeLine.size() > kMaxLineBytes)
            return fail(ImportProblem::LineTooLong, cursor.lineNumber(), {}, kMaxLineBytes);
        const std::size_t valueStart = cursor.offset();
        if (!cursor.next(value))
            return fail(ImportProblem::MissingValue);
        if (value.size() > kMaxLineBytes) {
            if (!isTextCode(code))
                return fail(ImportProblem::LineTooLong, cursor.lineNumber(), {}, kMaxLineBytes);
            cuts.push_back(valueStart);
        }
        if (code == kCommentCode)
            continue;
        if (code == 0 || code == kVariableCode || !sawFirstGroup)
            value = stripLikeParser(value);
        if (!sawFirstGroup) {
            if (code != 0 || value != "SECTION")
                return fail(ImportProblem::NoSection);
            sawFirstGroup = true;
        }
        if (code == 0 && value == "EOF")
            return DxfFileCheck{{}, cursor.offset(), std::move(cuts)};
        if (code == 0 || code == kVariableCode) {
            // dxflib starts a new object at either code.
            entity = value;
            sized = sizedKind(value);
            continue;
        }
        if (isCountCode(sized, code)) {
            long long count = 0;
            if (!parseInt(value, count) || count < 0
                || count > static_cast<long long>(import_limits::kMaxEntityVertices))
                return fail(ImportProblem::BadCount, cursor.lineNumber(), std::string(entity));
            declared += static_cast<std::size_t>(count);
            if (declared > import_limits::kMaxFileVertices)
                return fail(ImportProblem::TooManyDeclared, cursor.lineNumber(), {}, import_limits::kMaxFileVertices);
        }
    }
    if (!sawFirstGroup)
        return fail(ImportProblem::NoGroups);
    return fail(ImportProblem::MissingEof);
}

} // namespace

ImportFailure checkDxfPath(const std::string& path)
{
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec && ec != std::errc::no_such_file_or_directory)
        return ImportFailure{ImportProblem::CannotRead, ec.value()};
    if (!std::filesystem::exists(status))
        return failure(ImportProblem::FileMissing);
    if (!std::filesystem::is_regular_file(status))
        return failure(ImportProblem::NotAFile);
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return ImportFailure{ImportProblem::CannotRead, ec.value()};
    if (size == 0)
        return failure(ImportProblem::EmptyFile);
    if (size > import_limits::kMaxFileBytes)
        return failure(ImportProblem::FileTooLarge, 0, {}, import_limits::kMaxFileBytes);
    return {};
}

DxfFileCheck checkDxfText(std::string_view text, const ImportProgress* stop)
{
    if (text.empty())
        return fail(ImportProblem::EmptyFile);
    const std::size_t start = text.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
    DxfFileCheck check = scanGroups(text, start, stop);
    if (!check.failure && text.substr(0, check.textLength).find('\0') != std::string_view::npos)
        return fail(ImportProblem::BinaryData);
    return check;
}

DrawingFormat drawingFormatOf(std::string_view bytes)
{
    if (isBinaryDxf(bytes))
        return DrawingFormat::BinaryDxf;
    if (bytes.size() >= kDwgVersionLength && bytes.starts_with(kDwgMagic) && isDigit(bytes[4]) && isDigit(bytes[5]))
        return DrawingFormat::Dwg;
    return DrawingFormat::Dxf;
}

std::string cutLongValues(std::string_view text, const DxfFileCheck& check)
{
    text = text.substr(0, check.textLength);
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    for (const std::size_t cut : check.cuts) {
        out.append(text.substr(at, cut - at + kMaxLineBytes));
        at = std::min(text.find('\n', cut), text.size());
    }
    out.append(text.substr(at));
    return out;
}
