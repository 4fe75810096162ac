#include "TempLibrary.h"

#include <library/MachineProfileFile.h>
#include <library/ProfileFields.h>

#include <cmath>

namespace {
const char* const kDeclaration = "<?xml version=\"1.0\" encoding=\"gb2312\" ?>\n";

MachineProfile loadFrom(TempLibrary& lib, const std::string& content)
{
    lib.write("MachineProfile.xml", content);
    return LoadMachineProfile(lib.folder());
}

// Every value from the one of the attribute named on (all when none is
// named) has its default.
void expectDefaults(const MachineProfile& p, const char* from = nullptr)
{
    const MachineProfile d;
    bool checking = from == nullptr;
    for (const ProfileField& field : ProfileFields()) {
        checking = checking || std::string(field.attribute) == from;
        if (checking)
            std::visit([&](auto member) { EXPECT_EQ(p.*member, d.*member) << field.attribute; }, field.member);
    }
}
} // namespace

TEST(MachineProfileFile, MissingOrUnreadableFileGivesTheDefaults)
{
    TempLibrary lib;
    expectDefaults(LoadMachineProfile(lib.folder()));
    for (const std::string& content : {std::string("<MachineProfile Stepover=\"30\""), std::string(""),
                                      std::string(kDeclaration) + "<!-- nothing -->",
                                      std::string(100000, '<')}) {
        expectDefaults(loadFrom(lib, content));
    }
}

TEST(MachineProfileFile, RoundTripKeepsEveryField)
{
    TempLibrary lib;
    MachineProfile p;
    p.OriginCorner = 2;
    p.XDirection = -1;
    p.YDirection = -1;
    p.SideAxisX = "U";
    p.SideAxisY = "V";
    p.SideAxisZ = "W";
    p.SafeHeight = 80.5;
    p.Breakthrough = 0.5;
    p.RecessDepth = 4.25;
    p.Stepover = 40;
    p.CannedCycles = 1;
    p.Comments = 0;
    p.LineNumbers = 5;
    p.Header = "%\n(" + kGbkHinge + " <&> \"q\")\nG54";
    p.Footer = "G0 Z100\r\nM5";
    p.Extension = "cnc";
    p.CrLf = 0;
    p.RapidFeed = 24000;
    p.PassDepthDiameters = 0.75;
    p.PassDepthMax = 6.5;
    p.HelixAngle = 2.5;
    p.PeckDepth = 12;
    p.StartLine = "G17 G40 G80 (" + kGbkHinge + ")";
    const SaveResult saved = SaveMachineProfile(lib.folder(), p);
    ASSERT_TRUE(saved) << saved.error;
    EXPECT_EQ(saved.path, lib.path("MachineProfile.xml"));
    EXPECT_EQ(lib.read("MachineProfile.xml").rfind(kDeclaration, 0), 0u);

    const MachineProfile back = LoadMachineProfile(lib.folder());
    EXPECT_EQ(back.OriginCorner, 2);
    EXPECT_EQ(back.XDirection, -1);
    EXPECT_EQ(back.YDirection, -1);
    EXPECT_EQ(back.SideAxisX + back.SideAxisY + back.SideAxisZ, "UVW");
    EXPECT_DOUBLE_EQ(back.SafeHeight, 80.5);
    EXPECT_DOUBLE_EQ(back.Breakthrough, 0.5);
    EXPECT_DOUBLE_EQ(back.RecessDepth, 4.25);
    EXPECT_EQ(back.Stepover, 40);
    EXPECT_EQ(back.CannedCycles, 1);
    EXPECT_EQ(back.Comments, 0);
    EXPECT_EQ(back.LineNumbers, 5);
    EXPECT_EQ(back.Header, p.Header);
    EXPECT_EQ(back.Footer, p.Footer);
    EXPECT_EQ(back.Extension, "cnc");
    EXPECT_EQ(back.CrLf, 0);
    EXPECT_EQ(back.RapidFeed, 24000);
    EXPECT_DOUBLE_EQ(back.PassDepthDiameters, 0.75);
    EXPECT_DOUBLE_EQ(back.PassDepthMax, 6.5);
    EXPECT_DOUBLE_EQ(back.HelixAngle, 2.5);
    EXPECT_DOUBLE_EQ(back.PeckDepth, 12);
    EXPECT_EQ(back.StartLine, p.StartLine);
}

// A profile written before the depth per pass, the helix, the pecking and the
// start line were known takes their defaults, and is written again as it was
// with the new values after the old ones.
TEST(MachineProfileFile, OlderFileTakesTheNewDefaultsAndKeepsItsForm)
{
    TempLibrary lib;
    const std::string older = std::string(kDeclaration) +
        "<MachineProfile OriginCorner=\"0\" XDirection=\"1\" YDirection=\"1\" SideAxisX=\"X\" SideAxisY=\"Y\" "
        "SideAxisZ=\"Z\" SafeHeight=\"50.00\" Breakthrough=\"1.00\" RecessDepth=\"3.00\" Stepover=\"50\" "
        "CannedCycles=\"0\" Comments=\"1\" LineNumbers=\"0\" Header=\"\" Footer=\"\" Extension=\"NC\" CrLf=\"1\" "
        "RapidFeed=\"15000\"";
    const MachineProfile p = loadFrom(lib, older + " />\n");
    expectDefaults(p);
    ASSERT_TRUE(SaveMachineProfile(lib.folder(), p));
    EXPECT_EQ(lib.read("MachineProfile.xml"), older + " PassDepthDiameters=\"1.00\" PassDepthMax=\"10.00\" "
                                                      "HelixAngle=\"3.00\" PeckDepth=\"0.00\" "
                                                      "StartLine=\"G40 G49 G80 G90\" />\n");
}

TEST(MachineProfileFile, ValuesTheProgramCannotUseKeepTheirDefaults)
{
    TempLibrary lib;
    const MachineProfile p = loadFrom(lib, std::string(kDeclaration) +
        "<MachineProfile OriginCorner=\"4\" XDirection=\"-1\" YDirection=\"0\" SideAxisX=\"G\" SafeHeight=\"nan\" "
        "Breakthrough=\"2\" RecessDepth=\"0\" Stepover=\"80\" LineNumbers=\"-10\" Extension=\"N C\" "
        "RapidFeed=\"15\" Header=\"%\" PassDepthDiameters=\"0\" PassDepthMax=\"60\" HelixAngle=\"inf\" "
        "PeckDepth=\"0.5\" StartLine=\"G90&#x0A;G0 Z100\" />");
    EXPECT_EQ(p.OriginCorner, 0);
    EXPECT_EQ(p.XDirection, -1);
    EXPECT_EQ(p.YDirection, 1);
    EXPECT_EQ(p.SideAxisX, "X");
    EXPECT_DOUBLE_EQ(p.SafeHeight, 50.0);
    EXPECT_DOUBLE_EQ(p.Breakthrough, 2.0);
    EXPECT_DOUBLE_EQ(p.RecessDepth, 3.0);
    EXPECT_EQ(p.Stepover, 50);
    EXPECT_EQ(p.LineNumbers, 0);
    EXPECT_EQ(p.Extension, "NC");
    EXPECT_EQ(p.RapidFeed, 15000);
    EXPECT_EQ(p.Header, "%");
    expectDefaults(p, "PassDepthDiameters");

    // The side-head letters are taken together: a swap is fine, a clash is not.
    EXPECT_EQ(loadFrom(lib, "<MachineProfile SideAxisX=\"Y\" SideAxisY=\"X\"/>").SideAxisX, "Y");
    EXPECT_EQ(loadFrom(lib, "<MachineProfile SideAxisX=\"Y\"/>").SideAxisX, "X");
}

// A profile is checked as the file keeps it, at hundredths: a safe height of
// 0.004 would come back as 0.
TEST(MachineProfileFile, RefusedProfileIsNotWritten)
{
    TempLibrary lib;
    for (void (*spoil)(MachineProfile&) : {+[](MachineProfile& p) { p.Stepover = 60; },
                                           +[](MachineProfile& p) { p.SafeHeight = 0.004; }}) {
        MachineProfile p;
        spoil(p);
        const SaveResult saved = SaveMachineProfile(lib.folder(), p);
        EXPECT_FALSE(saved);
        EXPECT_EQ(saved.problem, SaveProblem::OutOfRange);
        EXPECT_FALSE(std::filesystem::exists(lib.path("MachineProfile.xml")));
    }
    const MachineProfile read = loadFrom(lib, "<MachineProfile SafeHeight=\"0.004\" PeckDepth=\"0.996\"/>");
    EXPECT_EQ(read.SafeHeight, 50.0);
    EXPECT_EQ(read.PeckDepth, 1.0) << "read as the file would keep it";
}

TEST(MachineProfile, CheckNamesTheFirstValueOutOfRange)
{
    const std::pair<void (*)(MachineProfile&), ProfileProblem> cases[] = {
        {[](MachineProfile&) {}, ProfileProblem::None},
        {[](MachineProfile& p) { p.OriginCorner = -1; }, ProfileProblem::OriginCorner},
        {[](MachineProfile& p) { p.YDirection = 2; }, ProfileProblem::Direction},
        {[](MachineProfile& p) { p.SideAxisZ = "X"; }, ProfileProblem::SideAxis},
        {[](MachineProfile& p) { p.SideAxisY = "XY"; }, ProfileProblem::SideAxis},
        {[](MachineProfile& p) { p.SafeHeight = 0; }, ProfileProblem::SafeHeight},
        {[](MachineProfile& p) { p.SafeHeight = 501; }, ProfileProblem::SafeHeight},
        {[](MachineProfile& p) { p.Breakthrough = -0.1; }, ProfileProblem::Breakthrough},
        {[](MachineProfile& p) { p.Breakthrough = 0; }, ProfileProblem::None},
        {[](MachineProfile& p) { p.RecessDepth = 0; }, ProfileProblem::RecessDepth},
        {[](MachineProfile& p) { p.Stepover = 4; }, ProfileProblem::Stepover},
        {[](MachineProfile& p) { p.Stepover = 51; }, ProfileProblem::Stepover},
        {[](MachineProfile& p) { p.LineNumbers = 1001; }, ProfileProblem::LineNumbers},
        {[](MachineProfile& p) { p.Extension = ""; }, ProfileProblem::Extension},
        {[](MachineProfile& p) { p.Extension = ".NC"; }, ProfileProblem::Extension},
        {[](MachineProfile& p) { p.Extension = "ABCDEFGHI"; }, ProfileProblem::Extension},
        {[](MachineProfile& p) { p.RapidFeed = 99; }, ProfileProblem::RapidFeed},
        {[](MachineProfile& p) { p.PassDepthDiameters = 0.09; }, ProfileProblem::PassDepthDiameters},
        {[](MachineProfile& p) { p.PassDepthDiameters = 5; }, ProfileProblem::None},
        {[](MachineProfile& p) { p.PassDepthDiameters = 5.01; }, ProfileProblem::PassDepthDiameters},
        {[](MachineProfile& p) { p.PassDepthMax = 0.49; }, ProfileProblem::PassDepthMax},
        {[](MachineProfile& p) { p.PassDepthMax = 0.5; }, ProfileProblem::None},
        {[](MachineProfile& p) { p.PassDepthMax = 50.5; }, ProfileProblem::PassDepthMax},
        {[](MachineProfile& p) { p.HelixAngle = 0.4; }, ProfileProblem::HelixAngle},
        {[](MachineProfile& p) { p.HelixAngle = 45; }, ProfileProblem::None},
        {[](MachineProfile& p) { p.HelixAngle = std::nan(""); }, ProfileProblem::HelixAngle},
        {[](MachineProfile& p) { p.PeckDepth = 0.5; }, ProfileProblem::PeckDepth},
        {[](MachineProfile& p) { p.PeckDepth = 1; }, ProfileProblem::None},
        {[](MachineProfile& p) { p.PeckDepth = 100.01; }, ProfileProblem::PeckDepth},
        {[](MachineProfile& p) { p.PeckDepth = -1; }, ProfileProblem::PeckDepth},
        {[](MachineProfile& p) { p.StartLine = ""; }, ProfileProblem::None},
        {[](MachineProfile& p) { p.StartLine = std::string(80, 'G'); }, ProfileProblem::None},
        {[](MachineProfile& p) { p.StartLine = std::string(81, 'G'); }, ProfileProblem::StartLine},
        {[](MachineProfile& p) { p.StartLine = "G90\nM30"; }, ProfileProblem::StartLine},
        {[](MachineProfile& p) { p.StartLine = "G90\tG40"; }, ProfileProblem::StartLine},
        {[](MachineProfile& p) { p.HelixAngle = 0; p.StartLine = "\r"; }, ProfileProblem::HelixAngle},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        MachineProfile p;
        cases[i].first(p);
        EXPECT_EQ(CheckMachineProfile(p), cases[i].second) << "case " << i;
    }
}
