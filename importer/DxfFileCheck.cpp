#include <importer/DxfFileCheck.h>

#include <importer/ImportLimits.h>
#include <importer/MappedFile.h>

#include <charconv>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

constexpr std::string_view kBinarySentinel = "AutoCAD Binary DXF";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kDwgMagic = "AC10";
constexpr std::size_t kDwgVersionLength = 6;
constexpr int kCommentCode = 999;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool parseInt(std::string_view s, long long& out)
{
    s = trim(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return false;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && ptr == s.data() + s.size();
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
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

// Walks the file as lines, splitting on LF and dropping a CR before it.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : m_text(text) {}
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
        m_pos += line.size() + 1;
        ++m_number;
        return true;
    }
    std::size_t lineNumber() const { return m_number; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_number = 0;
};

ImportFailure fail(ImportProblem problem, std::size_t line = 0, std::string detail = {})
{
    return ImportFailure{problem, 0, line, std::move(detail)};
}

ImportFailure systemFailure(ImportProblem problem, int error)
{
    return ImportFailure{problem, error, 0, {}};
}

ImportFailure scanGroups(std::string_view text)
{
    LineCursor cursor(text);
    std::string_view codeLine;
    std::string_view value;
    std::string_view entity;
    Sized sized = Sized::None;
    bool sawFirstGroup = false;
    while (cursor.next(codeLine)) {
        long long code = 0;
        if (!parseInt(codeLine, code)) {
            if (!sawFirstGroup)
                return fail(ImportProblem::NoGroupCode);
            return fail(ImportProblem::BadGroupCode, cursor.lineNumber());
        }
        if (!cursor.next(value))
            return fail(ImportProblem::MissingValue);
        if (code == kCommentCode)
            continue;
        if (code == 0 || !sawFirstGroup)
            value = trim(value);
        if (!sawFirstGroup) {
            if (code != 0 || value != "SECTION")
                return fail(ImportProblem::NoSection);
            sawFirstGroup = true;
        }
        if (code == 0) {
            if (value == "EOF")
                return {};
            entity = value;
            sized = sizedKind(value);
            continue;
        }
        if (isCountCode(sized, code)) {
            long long count = 0;
            if (!parseInt(value, count) || count < 0
                || count > static_cast<long long>(import_limits::kMaxEntityVertices))
                return fail(ImportProblem::BadCount, cursor.lineNumber(), std::string(entity));
        }
    }
    if (!sawFirstGroup)
        return fail(ImportProblem::NoGroups);
    return fail(ImportProblem::MissingEof);
}

} // namespace

ImportFailure checkDxfFile(const std::string& path)
{
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec && ec != std::errc::no_such_file_or_directory)
        return systemFailure(ImportProblem::CannotRead, ec.value());
    if (!std::filesystem::exists(status))
        return fail(ImportProblem::FileMissing);
    if (!std::filesystem::is_regular_file(status))
        return fail(ImportProblem::NotAFile);
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return systemFailure(ImportProblem::CannotRead, ec.value());
    if (size == 0)
        return fail(ImportProblem::EmptyFile);
    if (size > import_limits::kMaxFileBytes)
        return fail(ImportProblem::FileTooLarge);

    MappedFile file(path);
    if (!file.isOpen())
        return systemFailure(ImportProblem::CannotRead, file.error());
    std::string_view text = file.bytes();
    if (text.starts_with(kBinarySentinel))
        return fail(ImportProblem::BinaryDxf);
    if (text.size() >= kDwgVersionLength && text.starts_with(kDwgMagic) && isDigit(text[4]) && isDigit(text[5]))
        return fail(ImportProblem::DwgFile, 0, std::string(text.substr(0, kDwgVersionLength)));
    if (text.starts_with(kUtf8Bom))
        text.remove_prefix(kUtf8Bom.size());
    if (text.find('\0') != std::string_view::npos)
        return fail(ImportProblem::BinaryData);
    return scanGroups(text);
}
