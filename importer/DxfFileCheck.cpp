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

DxfFileCheck fail(std::string reason)
{
    return DxfFileCheck{false, std::move(reason)};
}

DxfFileCheck scanGroups(std::string_view text)
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
                return fail("文件不是 DXF 图纸（开头不是组码）");
            return fail("DXF 文件已损坏：第 " + std::to_string(cursor.lineNumber()) + " 行应为组码");
        }
        if (!cursor.next(value))
            return fail("DXF 文件不完整：最后一个组码缺少数值，文件可能被截断");
        if (code == kCommentCode)
            continue;
        if (code == 0 || !sawFirstGroup)
            value = trim(value);
        if (!sawFirstGroup) {
            if (code != 0 || value != "SECTION")
                return fail("文件不是 DXF 图纸（开头不是 SECTION）");
            sawFirstGroup = true;
        }
        if (code == 0) {
            if (value == "EOF")
                return DxfFileCheck{true, {}};
            entity = value;
            sized = sizedKind(value);
            continue;
        }
        if (isCountCode(sized, code)) {
            long long count = 0;
            if (!parseInt(value, count) || count < 0
                || count > static_cast<long long>(import_limits::kMaxEntityVertices))
                return fail("DXF 文件中的 " + std::string(entity) + " 声明了不合理的点数（第 "
                            + std::to_string(cursor.lineNumber()) + " 行）");
        }
    }
    if (!sawFirstGroup)
        return fail("文件不是 DXF 图纸");
    return fail("DXF 文件不完整：缺少 EOF 结尾，文件可能被截断");
}

} // namespace

DxfFileCheck checkDxfFile(const std::string& path)
{
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status))
        return fail("文件不存在：" + path);
    if (!std::filesystem::is_regular_file(status))
        return fail("不是普通文件：" + path);
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return fail("无法读取文件：" + path);
    if (size == 0)
        return fail("文件为空");
    if (size > import_limits::kMaxFileBytes)
        return fail("文件过大，无法导入");

    MappedFile file(path);
    if (!file.isOpen())
        return fail("无法打开文件：" + path);
    std::string_view text = file.bytes();
    if (text.starts_with(kBinarySentinel))
        return fail("这是二进制 DXF 文件，暂不支持；请在 CAD 中另存为 ASCII DXF");
    if (text.size() >= kDwgVersionLength && text.starts_with(kDwgMagic) && isDigit(text[4]) && isDigit(text[5]))
        return fail("这是 DWG 文件（版本 " + std::string(text.substr(0, kDwgVersionLength))
                    + "），暂不支持 DWG；请在 CAD 中另存为 DXF");
    if (text.starts_with(kUtf8Bom))
        text.remove_prefix(kUtf8Bom.size());
    if (text.find('\0') != std::string_view::npos)
        return fail("文件不是 DXF 图纸（含有二进制数据）");
    return scanGroups(text);
}
