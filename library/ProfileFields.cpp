#include <library/ProfileFields.h>

#include <library/NumberText.h>

#include <cmath>
#include <string_view>

namespace {
using P = MachineProfile;

bool within(double value, double low, double high)
{
    return std::isfinite(value) && value >= low && value <= high;
}

bool above(double value, double low, double high)
{
    return within(value, low, high) && value > low;
}

bool isSideAxisLetter(const std::string& letter)
{
    return letter.size() == 1 && std::string_view("XYZUVWABC").find(letter[0]) != std::string_view::npos;
}

bool sideAxesValid(const P& p)
{
    return isSideAxisLetter(p.SideAxisX) && isSideAxisLetter(p.SideAxisY) && isSideAxisLetter(p.SideAxisZ) &&
           p.SideAxisX != p.SideAxisY && p.SideAxisX != p.SideAxisZ && p.SideAxisY != p.SideAxisZ;
}

bool isExtension(const std::string& text)
{
    if (text.empty() || text.size() > kMaxExtension)
        return false;
    for (const char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return false;
    return true;
}

// One line the controller reads first: no line break, no other control byte.
bool isStartLine(const std::string& text)
{
    if (text.size() > kMaxStartLine)
        return false;
    for (const char c : text)
        if (static_cast<unsigned char>(c) < ' ' || c == '\x7F')
            return false;
    return true;
}

bool isDirection(int direction)
{
    return direction == 1 || direction == -1;
}

constexpr ProfileChoice kCorners[] = {
    {"左下角（0，0）", 0}, {"右下角（门长，0）", 1}, {"右上角（门长，门宽）", 2}, {"左上角（0，门宽）", 3}};
constexpr ProfileChoice kXDirections[] = {{"沿门长方向", 1}, {"与门长方向相反", -1}};
constexpr ProfileChoice kYDirections[] = {{"沿门宽方向", 1}, {"与门宽方向相反", -1}};
constexpr ProfileChoice kLineEnds[] = {{"CR LF（Windows）", 1}, {"LF", 0}};

using G = ProfileGroup;
using C = ProfileControl;
using Q = ProfileProblem;

const ProfileField kFields[] = {
    {"OriginCorner", &P::OriginCorner, Q::OriginCorner, [](const P& p) { return p.OriginCorner >= 0 && p.OriginCorner <= 3; },
     G::Frame, C::Choice, "originCorner", "原点位置", kCorners},
    {"XDirection", &P::XDirection, Q::Direction, [](const P& p) { return isDirection(p.XDirection); }, G::Frame,
     C::Choice, "xDirection", "X轴方向", kXDirections},
    {"YDirection", &P::YDirection, Q::Direction, [](const P& p) { return isDirection(p.YDirection); }, G::Frame,
     C::Choice, "yDirection", "Y轴方向", kYDirections},
    {"SideAxisX", &P::SideAxisX, Q::SideAxis, sideAxesValid, G::Frame, C::Letter, "sideAxisX", "侧头轴名（X Y Z）", {}},
    {"SideAxisY", &P::SideAxisY, Q::SideAxis, sideAxesValid, G::Frame, C::Letter, "sideAxisY", "", {}},
    {"SideAxisZ", &P::SideAxisZ, Q::SideAxis, sideAxesValid, G::Frame, C::Letter, "sideAxisZ", "", {}},
    {"SafeHeight", &P::SafeHeight, Q::SafeHeight, [](const P& p) { return above(p.SafeHeight, 0, kMaxSafeHeight); },
     G::Cutting, C::Number, "safeHeight", "安全高度（毫米）", {}},
    {"Breakthrough", &P::Breakthrough, Q::Breakthrough,
     [](const P& p) { return within(p.Breakthrough, 0, kMaxBreakthrough); }, G::Cutting, C::Number, "breakthrough",
     "穿透量（毫米）", {}},
    {"RecessDepth", &P::RecessDepth, Q::RecessDepth, [](const P& p) { return above(p.RecessDepth, 0, kMaxRecessDepth); },
     G::Cutting, C::Number, "recessDepth", "锁面板槽深（毫米）", {}},
    {"Stepover", &P::Stepover, Q::Stepover,
     [](const P& p) { return p.Stepover >= kMinStepover && p.Stepover <= kMaxStepover; }, G::Cutting, C::Number,
     "stepover", "步距（刀径的%）", {}},
    {"CannedCycles", &P::CannedCycles, Q::None, nullptr, G::Text, C::Flag, "cannedCycles", "钻孔用固定循环（G81）", {}},
    {"Comments", &P::Comments, Q::None, nullptr, G::Text, C::Flag, "comments", "写入注释", {}},
    {"LineNumbers", &P::LineNumbers, Q::LineNumbers,
     [](const P& p) { return p.LineNumbers >= 0 && p.LineNumbers <= kMaxLineNumberStep; }, G::Text, C::Number,
     "lineNumbers", "行号间隔（0为不写）", {}},
    {"Header", &P::Header, Q::None, nullptr, G::Text, C::Lines, "header", "程序头", {}},
    {"Footer", &P::Footer, Q::None, nullptr, G::Text, C::Lines, "footer", "程序尾", {}},
    {"Extension", &P::Extension, Q::Extension, [](const P& p) { return isExtension(p.Extension); }, G::Text, C::Line,
     "extension", "文件扩展名", {}},
    {"CrLf", &P::CrLf, Q::None, nullptr, G::Text, C::Choice, "lineEnd", "换行符", kLineEnds},
    {"RapidFeed", &P::RapidFeed, Q::RapidFeed,
     [](const P& p) { return p.RapidFeed >= kMinRapidFeed && p.RapidFeed <= kMaxRapidFeed; }, G::Cutting, C::Number,
     "rapidFeed", "快移速度（毫米/分）", {}},
    {"PassDepthDiameters", &P::PassDepthDiameters, Q::PassDepthDiameters,
     [](const P& p) { return within(p.PassDepthDiameters, kMinPassDepthDiameters, kMaxPassDepthDiameters); },
     G::Cutting, C::Number, "passDepthDiameters", "每层最大切深（倍刀径）", {}},
    {"PassDepthMax", &P::PassDepthMax, Q::PassDepthMax,
     [](const P& p) { return within(p.PassDepthMax, kMinPassDepthMax, kMaxPassDepthMax); }, G::Cutting, C::Number,
     "passDepthMax", "每层最大切深（毫米）", {}},
    {"HelixAngle", &P::HelixAngle, Q::HelixAngle,
     [](const P& p) { return within(p.HelixAngle, kMinHelixAngle, kMaxHelixAngle); }, G::Cutting, C::Number,
     "helixAngle", "螺旋下刀最大角度（度）", {}},
    {"PeckDepth", &P::PeckDepth, Q::PeckDepth,
     [](const P& p) { return p.PeckDepth == 0.0 || within(p.PeckDepth, kMinPeckDepth, kMaxPeckDepth); }, G::Cutting,
     C::Number, "peckDepth", "啄钻深度（毫米，0为不啄钻）", {}},
    {"StartLine", &P::StartLine, Q::StartLine, [](const P& p) { return isStartLine(p.StartLine); }, G::Text, C::Line,
     "startLine", "程序起始行", {}},
};
} // namespace

std::span<const ProfileField> ProfileFields()
{
    return kFields;
}

MachineProfile AsStored(const MachineProfile& profile)
{
    MachineProfile stored = profile;
    for (const ProfileField& field : kFields)
        if (const auto* real = std::get_if<double MachineProfile::*>(&field.member))
            stored.**real = ParseReal(FormatReal(stored.**real).c_str());
    return stored;
}
