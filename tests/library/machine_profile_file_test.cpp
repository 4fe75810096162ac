#include "TempLibrary.h"

#include <library/MachineProfileFile.h>

namespace {
const char* const kDeclaration = "<?xml version=\"1.0\" encoding=\"gb2312\" ?>\n";

MachineProfile loadFrom(TempLibrary& lib, const std::string& content)
{
    lib.write("MachineProfile.xml", content);
    return LoadMachineProfile(lib.folder());
}

void expectDefaults(const MachineProfile& p)
{
    const MachineProfile d;
    EXPECT_EQ(p.OriginCorner, d.OriginCorner);
    EXPECT_EQ(p.SideAxisY, d.SideAxisY);
    EXPECT_EQ(p.SafeHeight, d.SafeHeight);
    EXPECT_EQ(p.Stepover, d.Stepover);
    EXPECT_EQ(p.Extension, d.Extension);
    EXPECT_EQ(p.CrLf, d.CrLf);
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
}

TEST(MachineProfileFile, ValuesTheProgramCannotUseKeepTheirDefaults)
{
    TempLibrary lib;
    const MachineProfile p = loadFrom(lib, std::string(kDeclaration) +
        "<MachineProfile OriginCorner=\"4\" XDirection=\"-1\" YDirection=\"0\" SideAxisX=\"G\" SafeHeight=\"nan\" "
        "Breakthrough=\"2\" RecessDepth=\"0\" Stepover=\"80\" LineNumbers=\"-10\" Extension=\"N C\" "
        "RapidFeed=\"15\" Header=\"%\" />");
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

    // The side-head letters are taken together: a swap is fine, a clash is not.
    EXPECT_EQ(loadFrom(lib, "<MachineProfile SideAxisX=\"Y\" SideAxisY=\"X\"/>").SideAxisX, "Y");
    EXPECT_EQ(loadFrom(lib, "<MachineProfile SideAxisX=\"Y\"/>").SideAxisX, "X");
}

TEST(MachineProfileFile, RefusedProfileIsNotWritten)
{
    TempLibrary lib;
    MachineProfile p;
    p.Stepover = 60;
    const SaveResult saved = SaveMachineProfile(lib.folder(), p);
    EXPECT_FALSE(saved);
    EXPECT_EQ(saved.problem, SaveProblem::OutOfRange);
    EXPECT_FALSE(std::filesystem::exists(lib.path("MachineProfile.xml")));
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
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        MachineProfile p;
        cases[i].first(p);
        EXPECT_EQ(CheckMachineProfile(p), cases[i].second) << "case " << i;
    }
}
