// The form of the program text that the profile chooses; what the program
// cuts is judged by the reader in program_checks_test.cpp.
#include "MachiningFixtures.h"

#include <machining/GcodeWriter.h>
#include <machining/MachiningPlan.h>
#include <machining/Motion.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

struct Shop {
    GU_OwnedList<KnifeInfo> tools;
    std::shared_ptr<GK_Hinges> hinge = fixtures::hinge(false, true);
    std::shared_ptr<GK_LockCore> lock = fixtures::lockCore();
    std::unique_ptr<GK_DoorWithHinges> door = fixtures::door(hinge, lock, 0);
    Shop() { fixtures::standardTools(tools); }

    std::string program(ProgramKind kind, const MachineProfile& profile) const
    {
        const MachiningPlan plan = PlanProgram(kind, *door, tools, profile);
        EXPECT_EQ(plan.status, PlanStatus::Ready);
        return WriteGcode(plan, profile);
    }
};

TEST(ProgramForm, DefaultsArePlainIsoWithCrLf)
{
    const Shop s;
    const std::string text = s.program(ProgramKind::Hinges, MachineProfile{});
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1) << "CR LF";
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(text.begin(), text.end(), '\r'));
    const std::vector<std::string> all = lines(text);
    // "(合页加工程序 D)" in GBK, then the modes.
    EXPECT_EQ(all[0], "(\xBA\xCF\xD2\xB3\xBC\xD3\xB9\xA4\xB3\xCC\xD0\xF2 D)\r");
    EXPECT_EQ(all[1], "G40 G49 G80 G90\r") << "the profile's safe start line";
    EXPECT_EQ(all[2], "G21 G90 G17\r");
    // The head is at its travel height before air and spindle.
    EXPECT_EQ(all[4], "G0 Z50.000\r");
    EXPECT_EQ(all[5], "M111\r");
    EXPECT_EQ(all.back(), "M30\r");
    for (const std::string& line : all)
        EXPECT_TRUE(line.rfind("G81", 0) == std::string::npos && line.rfind("N", 0) == std::string::npos) << line;
}

TEST(ProgramForm, ProfileChoosesTheTextAroundTheMoves)
{
    const Shop s;
    MachineProfile p;
    p.Header = "%\nO1001";
    p.Footer = "G0 Z100\r\n\nM5";
    p.LineNumbers = 5;
    p.Comments = 0;
    p.CrLf = 0;
    p.CannedCycles = 1;
    const std::string text = s.program(ProgramKind::Hinges, p);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    const std::vector<std::string> all = lines(text);
    ASSERT_GT(all.size(), 6u);
    EXPECT_EQ(all[0], "%") << "header lines are not numbered";
    EXPECT_EQ(all[1], "O1001");
    EXPECT_EQ(all[2], "N5 G40 G49 G80 G90");
    EXPECT_EQ(all[3], "N10 G21 G90 G17");
    EXPECT_EQ(all[all.size() - 4], "G0 Z100");
    EXPECT_EQ(all[all.size() - 3], "M5") << "empty footer lines are dropped";
    EXPECT_EQ(all[all.size() - 2].substr(all[all.size() - 2].find(' ')), " M30");
    EXPECT_EQ(all.back(), "%") << "the header's % is closed";
    long previous = 0;
    for (const std::string& line : all) {
        EXPECT_EQ(line.find('('), std::string::npos) << "no comments";
        if (line.rfind("N", 0) == 0) {
            const long n = std::stol(line.substr(1));
            EXPECT_EQ(n, previous + 5);
            previous = n;
        }
    }
    // A cycle stays on over the holes of a tool and is cancelled once.
    const auto count = [&](const char* what) {
        return std::count_if(all.begin(), all.end(), [&](const std::string& l) { return l.find(what) != std::string::npos; });
    };
    EXPECT_GT(count(" G81 "), count("G99 G81 ")) << "holes of one tool in one cycle";
    EXPECT_EQ(count("G99 G81 "), count(" G80") - 1) << "one G80 of the start line, one per cycle";
}

TEST(ProgramForm, SideHeadUsesItsOwnLettersAndNoArcs)
{
    const Shop s;
    MachineProfile p;
    p.SideAxisX = "U";
    p.SideAxisY = "V";
    p.SideAxisZ = "W";
    p.CannedCycles = 1;
    const std::vector<std::string> all = lines(s.program(ProgramKind::Lock, p));
    bool inSide = false;
    int sideMoves = 0;
    for (const std::string& line : all) {
        // Tool 5 is the side head's main spindle, tool 2 a vertical one.
        if (line == "M151\r" || line == "M161\r" || line == "M171\r")
            inSide = true;
        else if (line.size() > 2 && line[0] == 'M' && line.substr(line.size() - 2) == "1\r" && line.size() == 5)
            inSide = false;
        if (!inSide || line.rfind("G", 0) != 0)
            continue;
        ++sideMoves;
        EXPECT_EQ(line.find_first_of("XYZ"), std::string::npos) << line;
        EXPECT_TRUE(line.rfind("G0 ", 0) == 0 || line.rfind("G1 ", 0) == 0) << line;
    }
    EXPECT_GT(sideMoves, 100);
}

TEST(ProgramForm, EveryToolTextOnItsOwnLine)
{
    Shop s;
    s.tools.replace(2, [] {
        auto t = fixtures::tool(3, 1, 5.0);
        t->AirForward = "M50\r\nM51";
        t->DrillStop = "";
        return t;
    }());
    const std::vector<std::string> all = lines(s.program(ProgramKind::Hinges, MachineProfile{}));
    const auto at = std::find(all.begin(), all.end(), "M50\r");
    ASSERT_NE(at, all.end());
    EXPECT_EQ(*(at + 1), "M51\r");
    EXPECT_EQ(*(at + 2), "M03 S13000\r");
    const auto back = std::find(all.begin(), all.end(), "M133\r");
    ASSERT_NE(back, all.end());
    EXPECT_EQ((back - 1)->rfind("G0 Z", 0), 0u) << "an empty stop text writes no line";
}

TEST(TimeEstimate, PlungesAtThePlungeFeedAndRapidsAtTheProfiles)
{
    GU_OwnedList<KnifeInfo> tools;
    auto drill = fixtures::tool(1, 1, 5.0);
    drill->Vel = 900;
    drill->PlungeVel = 600;
    tools.add_tail(std::move(drill));
    std::shared_ptr<GK_Hinges> hinge = api_gk_make_hinges(fixtures::rectangle(0, 0, 20, 10));
    hinge->AddHoleToList(api_gk_make_circle_hole({10, 5, 0}, 5, 10).release());
    auto door = api_gk_make_door_with_hinges("D", "", 1000, 500, 40);
    door->SetHingesModel(hinge);
    door->SetHingesPos({100, 0, 0});
    MachineProfile p;
    p.RapidFeed = 6000;
    const MachiningPlan plan = PlanProgram(ProgramKind::Hinges, *door, tools, p);
    ASSERT_EQ(plan.status, PlanStatus::Ready);
    // Down from 50 to the safe distance 10 and back up: 80 mm rapid; the
    // plunge from 10 to -10 (20 mm) at the plunge feed, back up 20 mm rapid.
    EXPECT_NEAR(EstimateSeconds(plan.uses, p), (100.0 / 6000 + 20.0 / 600) * 60, 1e-9);
}

} // namespace
