// Faults planted in the text of sound programs, one of each kind the reader
// and its checks are there to catch.
#include "GcodeSim.h"
#include "MachiningFixtures.h"
#include "ProgramChecks.h"

#include <machining/GcodeWriter.h>
#include <machining/MachiningPlan.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using Lines = std::vector<std::string>;

Lines split(const std::string& text)
{
    Lines lines;
    for (std::size_t begin = 0, end; begin < text.size(); begin = end + 2) {
        end = text.find("\r\n", begin);
        lines.push_back(text.substr(begin, end - begin));
    }
    return lines;
}

std::string joined(const Lines& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

bool startsWith(const std::string& line, const std::string& head)
{
    return line.rfind(head, 0) == 0;
}

// The first line from `from` on that starts with `head`.
std::size_t find(const Lines& lines, const std::string& head, std::size_t from = 0)
{
    for (std::size_t i = from; i < lines.size(); ++i)
        if (startsWith(lines[i], head))
            return i;
    ADD_FAILURE() << "no line starting with " << head;
    return lines.size() - 1;
}

// The value of the axis word in the line.
double value(const std::string& line, char axis)
{
    return std::stod(line.substr(line.find(axis) + 1));
}

std::string withValue(const std::string& line, char axis, double v)
{
    const std::size_t at = line.find(axis) + 1;
    const std::size_t end = line.find(' ', at);
    return line.substr(0, at) + std::to_string(v) + (end == std::string::npos ? "" : line.substr(end));
}

// Tool 3 is the 5 mm drill, tool 4 the 8 mm cutter (MachiningFixtures.h).
const char kBodySlot[] = "(\xCB\xF8\xCC\xE5\xB2\xDB)"; // (锁体槽)

struct Fault {
    const char* name;
    ProgramKind kind;
    void (*adjust)(MachineProfile&);
    std::function<void(Lines&)> plant;
    const char* caught;
};

void plain(MachineProfile&) {}

const Fault kFaults[] = {
    {"DrillMovedSideways", ProgramKind::Hinges, plain,
     [](Lines& l) {
         const std::size_t plunge = find(l, "G1 Z", find(l, "M131"));
         const std::size_t over = find(l, "G0 X", find(l, "M131"));
         l.insert(l.begin() + plunge + 1, "G1 X" + std::to_string(value(l[over], 'X') + 1.0));
     },
     "drill moved sideways"},
    {"TooDeepPass", ProgramKind::Lock, plain,
     [](Lines& l) {
         // Only the last level of the body slot is left: it cuts at full depth at once.
         const std::size_t slot = find(l, kBodySlot);
         std::vector<std::size_t> plunges;
         for (std::size_t i = slot + 1; i < l.size() && !startsWith(l[i], "("); ++i)
             if (startsWith(l[i], "G1 Y"))
                 plunges.push_back(i);
         const std::string deepest = l[plunges.back()];
         const auto last = std::find_if(plunges.begin(), plunges.end(), [&](std::size_t i) { return l[i] == deepest; });
         l.erase(l.begin() + plunges.front(), l.begin() + *last);
     },
     "pass of"},
    {"SteepRamp", ProgramKind::Hinges, plain,
     [](Lines& l) {
         const std::size_t arc = find(l, "G3", find(l, "M141"));
         l[arc] = withValue(l[arc], 'Z', value(l[arc], 'Z') - 2.0);
     },
     "ramp steeper than the helix angle"},
    {"FeedOverLimit", ProgramKind::Hinges, plain,
     [](Lines& l) {
         const std::size_t fed = find(l, "G1 Z", find(l, "M131"));
         l[fed] = withValue(l[fed], 'F', 30000);
     },
     "plunge at F30000"},
    {"BlindThroughHole", ProgramKind::Lock, plain,
     [](Lines& l) {
         const std::size_t plunge = find(l, "G1 Z-41.000", find(l, "M131"));
         l[plunge] = "G1 Z-39.000" + l[plunge].substr(11);
     },
     "side hole 2: not made at its centre and depth"},
    {"RapidBelowSafeHeight", ProgramKind::Hinges, plain,
     [](Lines& l) {
         const std::size_t back = find(l, "G0 Z10.000", find(l, "G1 Z", find(l, "M131")));
         l[back] = "G0 Z2.000";
     },
     "rapid nearer to the door than the safe distance"},
    {"AirBeforeSafeHeight", ProgramKind::Hinges, plain,
     [](Lines& l) {
         const std::size_t up = find(l, "G0 Z50.000");
         std::rotate(l.begin() + up, l.begin() + up + 1, l.begin() + up + 3);
     },
     "air and spindle switched below the safe height"},
    {"UnpairedPercent", ProgramKind::Hinges, [](MachineProfile& p) { p.Header = "%"; },
     [](Lines& l) { l.pop_back(); },
     "\"%\" without its pair"},
    {"WiderToolInHole", ProgramKind::Hinges, plain,
     [](Lines& l) {
         // The 5 mm holes drilled with the 8 mm cutter's use.
         const std::size_t from = find(l, "M131");
         const std::size_t to = find(l, "M133", from);
         for (std::size_t i = from; i <= to; ++i)
             for (const auto& [a, b] : {std::pair{"M131", "M141"}, std::pair{"M03 S13000", "M03 S14000"},
                                        std::pair{"M132", "M142"}, std::pair{"M133", "M143"}})
                 if (l[i] == a)
                     l[i] = b;
     },
     "a tool wider than hinge 1 hole 1 cuts in it"},
    {"PeckTooDeep", ProgramKind::Lock, [](MachineProfile& p) { p.PeckDepth = 4; },
     [](Lines& l) {
         const std::size_t peck = find(l, "G1 Z-4.000", find(l, "M131"));
         l[peck] = "G1 Z-12.000" + l[peck].substr(10);
     },
     "more than a peck"},
};

class PlantedFault : public ::testing::TestWithParam<Fault> {};

TEST_P(PlantedFault, IsCaught)
{
    const Fault& fault = GetParam();
    GU_OwnedList<KnifeInfo> tools;
    fixtures::standardTools(tools);
    auto door = fixtures::door(fixtures::hinge(true, true), fixtures::lockCore(), 1);
    MachineProfile profile;
    fault.adjust(profile);
    const MachiningPlan plan = PlanProgram(fault.kind, *door, tools, profile);
    ASSERT_EQ(plan.status, PlanStatus::Ready);
    const sim::Machine machine = fixtures::machine(profile, *door, tools);
    const check::Door expected = fault.kind == ProgramKind::Hinges
                                     ? check::ExpectHingeProgram(*door, profile.Breakthrough)
                                     : check::ExpectLockProgram(*door, profile.Breakthrough, profile.RecessDepth);
    const check::Rules rules = fixtures::rules(profile);
    const std::string text = WriteGcode(plan, profile);
    ASSERT_EQ(check::CheckProgram(sim::Replay(text, machine), machine, expected, rules), std::vector<std::string>{})
        << "sound before the fault";

    Lines lines = split(text);
    fault.plant(lines);
    const std::vector<std::string> fails = check::CheckProgram(sim::Replay(joined(lines), machine), machine, expected, rules);
    EXPECT_TRUE(std::any_of(fails.begin(), fails.end(),
                            [&](const std::string& f) { return f.find(fault.caught) != std::string::npos; }))
        << fault.name << ": " << ::testing::PrintToString(fails);
}

INSTANTIATE_TEST_SUITE_P(Programs, PlantedFault, ::testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
