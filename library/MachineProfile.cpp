#include <library/MachineProfile.h>

#include <cmath>
#include <string_view>

namespace {
bool isSideAxisLetter(const std::string& letter)
{
    return letter.size() == 1 && std::string_view("XYZUVWABC").find(letter[0]) != std::string_view::npos;
}

bool within(double value, double low, double high)
{
    return std::isfinite(value) && value >= low && value <= high;
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
} // namespace

ProfileProblem CheckMachineProfile(const MachineProfile& p)
{
    if (p.OriginCorner < 0 || p.OriginCorner > 3)
        return ProfileProblem::OriginCorner;
    if ((p.XDirection != 1 && p.XDirection != -1) || (p.YDirection != 1 && p.YDirection != -1))
        return ProfileProblem::Direction;
    if (!isSideAxisLetter(p.SideAxisX) || !isSideAxisLetter(p.SideAxisY) || !isSideAxisLetter(p.SideAxisZ) ||
        p.SideAxisX == p.SideAxisY || p.SideAxisX == p.SideAxisZ || p.SideAxisY == p.SideAxisZ)
        return ProfileProblem::SideAxis;
    if (!within(p.SafeHeight, 0.0, kMaxSafeHeight) || p.SafeHeight == 0.0)
        return ProfileProblem::SafeHeight;
    if (!within(p.Breakthrough, 0.0, kMaxBreakthrough))
        return ProfileProblem::Breakthrough;
    if (!within(p.RecessDepth, 0.0, kMaxRecessDepth) || p.RecessDepth == 0.0)
        return ProfileProblem::RecessDepth;
    if (p.Stepover < kMinStepover || p.Stepover > kMaxStepover)
        return ProfileProblem::Stepover;
    if (p.LineNumbers < 0 || p.LineNumbers > kMaxLineNumberStep)
        return ProfileProblem::LineNumbers;
    if (!isExtension(p.Extension))
        return ProfileProblem::Extension;
    if (p.RapidFeed < kMinRapidFeed || p.RapidFeed > kMaxRapidFeed)
        return ProfileProblem::RapidFeed;
    return ProfileProblem::None;
}
