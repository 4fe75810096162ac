#include <importer/DxfFileCheck.h>

#include <importer/ImportLimits.h>
#include <importer/ImportProgress.h>

#include <array>
#include <charconv>
#include <filesystem>
#include <system_error>

namespace {

constexpr std::string_view kBinarySentinel = "AutoCAD Binary DXF";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kDwgMagic = "AC10";
constexpr std::size_t kDwgVersionLength = 6;
constexpr long long kCommentCode = 999;
constexpr long long kVariableCode = 9;
// dxflib reads a line into a buffer of 1024 bytes: a longer one is split.
constexpr std::size_t kMaxLineBytes = 1022;
// The highest group code a DXF file holds (extended data).
constexpr long long kMaxGroupCode = 1071;
// Groups read between two looks at the stop request.
constexpr std::size_t kGroupsPerStopCheck = 1 << 16;

struct DwgVersion {
    std::string_view code;
    std::string_view release;
};

// The AutoCAD release that writes each DWG version.
constexpr std::array<DwgVersion, 14> kDwgVersions{{
    {"AC1001", "2.2"},
    {"AC1002", "2.5"},
    {"AC1003", "2.6"},
    {"AC1004", "R9"},
    {"AC1006", "R10"},
    {"AC1009", "R11/R12"},
    {"AC1012", "R13"},
    {"AC1014", "R14"},
    {"AC1015", "2000"},
    {"AC1018", "2004"},
    {"AC1021", "2007"},
    {"AC1024", "2010"},
    {"AC1027", "2013"},
    {"AC1032", "2018"},
}};

std::string dwgRelease(std::string_view code)
{
    for (const DwgVersion& v : kDwgVersions)
        if (v.code == code)
            return "AutoCAD " + std::string(v.release);
    return "AutoCAD（版本号 " + std::string(code) + "）";
}

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

bool parseInt(std::string_view s, long long& out)
{
    s = stripLikeParser(s);
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

DxfFileCheck fail(std::string reason)
{
    return DxfFileCheck{false, std::move(reason), 0};
}

std::string atLine(const LineCursor& cursor)
{
    return "（第 " + std::to_string(cursor.lineNumber()) + " 行）";
}

DxfFileCheck scanGroups(std::string_view text, std::size_t start, const ImportProgress* stop)
{
    LineCursor cursor(text, start);
    std::string_view codeLine;
    std::string_view value;
    std::string_view entity;
    Sized sized = Sized::None;
    bool sawFirstGroup = false;
    std::size_t declared = 0; // vertices declared over the whole file
    std::size_t groups = 0;
    while (cursor.next(codeLine)) {
        if (stop && ++groups % kGroupsPerStopCheck == 0 && stop->cancelled())
            return fail("导入已取消");
        long long code = 0;
        if (!parseInt(codeLine, code)) {
            if (!sawFirstGroup)
                return fail("文件不是 DXF 图纸（开头不是组码）");
            return fail("DXF 文件已损坏：第 " + std::to_string(cursor.lineNumber()) + " 行应为组码");
        }
        if (code < 0 || code > kMaxGroupCode)
            return fail("DXF 文件已损坏：组码 " + std::to_string(code) + " 无效" + atLine(cursor));
        if (!cursor.next(value))
            return fail("DXF 文件不完整：最后一个组码缺少数值，文件可能被截断");
        if (codeLine.size() > kMaxLineBytes || value.size() > kMaxLineBytes)
            return fail("DXF 文件中有超过 " + std::to_string(kMaxLineBytes) + " 个字符的行" + atLine(cursor)
                        + "，无法可靠读取");
        if (code == kCommentCode)
            continue;
        if (code == 0 || code == kVariableCode || !sawFirstGroup)
            value = stripLikeParser(value);
        if (!sawFirstGroup) {
            if (code != 0 || value != "SECTION")
                return fail("文件不是 DXF 图纸（开头不是 SECTION）");
            sawFirstGroup = true;
        }
        if (code == 0 && value == "EOF")
            return DxfFileCheck{true, {}, cursor.offset()};
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
                return fail("DXF 文件中的 " + std::string(entity) + " 声明了不合理的点数" + atLine(cursor));
            declared += static_cast<std::size_t>(count);
            if (declared > import_limits::kMaxFileVertices)
                return fail("图纸中的图元声明的点数合计超过 " + std::to_string(import_limits::kMaxFileVertices)
                            + " 的上限" + atLine(cursor) + "；请删除不需要的曲线或把图纸拆小后再导入");
        }
    }
    if (!sawFirstGroup)
        return fail("文件不是 DXF 图纸");
    return fail("DXF 文件不完整：缺少 EOF 结尾，文件可能被截断");
}

} // namespace

DxfFileCheck checkDxfPath(const std::string& path)
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
    return DxfFileCheck{true, {}, 0};
}

DxfFileCheck checkDxfText(std::string_view text, const ImportProgress* stop)
{
    if (text.empty())
        return fail("文件为空");
    if (text.starts_with(kBinarySentinel))
        return fail("这是二进制 DXF 文件，暂不支持；请在 CAD 中另存为 ASCII DXF");
    if (text.size() >= kDwgVersionLength && text.starts_with(kDwgMagic) && isDigit(text[4]) && isDigit(text[5])) {
        const std::string_view code = text.substr(0, kDwgVersionLength);
        return fail("这是 " + dwgRelease(code) + " 格式的 DWG 文件（" + std::string(code)
                    + "），本程序只能读取 DXF；请在 CAD 中用“另存为”保存为 DXF 后再导入");
    }
    const std::size_t start = text.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
    DxfFileCheck check = scanGroups(text, start, stop);
    if (check.ok && text.substr(0, check.textLength).find('\0') != std::string_view::npos)
        return fail("文件不是 DXF 图纸（含有二进制数据）");
    return check;
}
