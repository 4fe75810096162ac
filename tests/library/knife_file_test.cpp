#include "TempLibrary.h"

#include <library/KnifeFile.h>

TEST(KnifeFile, RoundTripKeepsEveryField)
{
    TempLibrary lib;
    auto knife = std::make_unique<KnifeInfo>();
    knife->ID = 12;
    knife->Diameter = 35.004;
    knife->SafeDistance = 3.5;
    knife->Vel = 4500;
    knife->Type = 7;
    knife->IsMain = 2;
    knife->Enable = 0;
    knife->AirForward = "M8 & <x> \"y\"";
    knife->AirBack = kGbkHinge;
    knife->DrillStart = kGbkTrailA;
    knife->DrillStop = "";
    lib.library.knives.add_tail(std::move(knife));
    lib.library.knives.add_tail(std::make_unique<KnifeInfo>());
    const SaveResult saved = SaveKnifeFile(lib.library.knives, lib.context());
    ASSERT_TRUE(saved) << static_cast<int>(saved.problem);
    EXPECT_EQ(saved.path, lib.path("HingesKnife.xml"));

    GU_OwnedList<KnifeInfo> back;
    LoadKnifeFile(lib.folder(), back);
    ASSERT_EQ(back.count(), 2u);
    const KnifeInfo& first = *back[0];
    EXPECT_EQ(first.ID, 12);
    EXPECT_DOUBLE_EQ(first.Diameter, 35);
    EXPECT_DOUBLE_EQ(first.SafeDistance, 3.5);
    EXPECT_EQ(first.Vel, 4500);
    EXPECT_EQ(first.Type, 7);
    EXPECT_EQ(first.IsMain, 2);
    EXPECT_EQ(first.Enable, 0);
    EXPECT_EQ(first.AirForward, "M8 & <x> \"y\"");
    EXPECT_EQ(first.AirBack, kGbkHinge);
    EXPECT_EQ(first.DrillStart, kGbkTrailA);
    EXPECT_EQ(back[1]->Enable, 1);
}

TEST(KnifeFile, MissingAttributesKeepInitialValues)
{
    TempLibrary lib;
    lib.write("HingesKnife.xml", "<AllKnife><Knife/><Other ID=\"9\"/><Knife ID=\"4\" Diameter=\"nan\" "
                                 "SafeDistance=\"1e999\" Vel=\"x\"/><Knife ID=\"4\" Type=\" 5\"/></AllKnife>");
    GU_OwnedList<KnifeInfo> list;
    LoadKnifeFile(lib.folder(), list);
    ASSERT_EQ(list.count(), 3u);
    const KnifeInfo& plain = *list[0];
    EXPECT_EQ(plain.ID, 0);
    EXPECT_DOUBLE_EQ(plain.Diameter, 0);
    EXPECT_DOUBLE_EQ(plain.SafeDistance, 10);
    EXPECT_EQ(plain.Vel, 0);
    EXPECT_EQ(plain.Type, 0);
    EXPECT_EQ(plain.IsMain, 0);
    EXPECT_EQ(plain.Enable, 1);
    EXPECT_TRUE(plain.AirForward.empty() && plain.AirBack.empty() && plain.DrillStart.empty() && plain.DrillStop.empty());
    // Non-finite sizes count as absent; the record stays.
    EXPECT_EQ(list[1]->ID, 4);
    EXPECT_DOUBLE_EQ(list[1]->Diameter, 0);
    EXPECT_DOUBLE_EQ(list[1]->SafeDistance, 10);
    EXPECT_EQ(list[2]->Type, 5);
}

TEST(KnifeFile, NoFileGivesAnEmptyTable)
{
    TempLibrary lib;
    GU_OwnedList<KnifeInfo> list;
    LoadKnifeFile(lib.folder(), list);
    EXPECT_TRUE(list.empty());
    ASSERT_TRUE(SaveKnifeFile(lib.library.knives, lib.context())); // an empty table gives an empty root
    EXPECT_NE(lib.read("HingesKnife.xml").find("<AllKnife />"), std::string::npos);
}

// The plunge feed and the kind are written only when set, after the other
// attributes; a kind the table does not know loads as not set (a cutter) and
// is then left out, as a real that is not finite is.
TEST(KnifeFile, PlungeFeedAndKindAreWrittenOnlyWhenSet)
{
    struct Case {
        const char* attributes; // of the file read
        int plunge;
        KnifeKind kind;
        const char* written; // after DrillStop=""
    };
    const Case cases[] = {
        {"", 0, KnifeKind::Unset, " />"},
        {"PlungeVel=\"1500\" Kind=\"Drill\"", 1500, KnifeKind::Drill, " PlungeVel=\"1500\" Kind=\"Drill\" />"},
        {"Kind=\"Cutter\"", 0, KnifeKind::Cutter, " Kind=\"Cutter\" />"},
        {"PlungeVel=\"-20\"", -20, KnifeKind::Unset, " PlungeVel=\"-20\" />"},
        {"PlungeVel=\"0\" Kind=\"\"", 0, KnifeKind::Unset, " />"},
        {"Kind=\"CUTTER\"", 0, KnifeKind::Cutter, " Kind=\"Cutter\" />"},
        {"Kind=\"Router\" PlungeVel=\"x\"", 0, KnifeKind::Unset, " />"},
    };
    for (const Case& c : cases) {
        TempLibrary lib;
        lib.write("HingesKnife.xml", std::string("<AllKnife><Knife ID=\"2\" ") + c.attributes + "/></AllKnife>");
        LoadKnifeFile(lib.folder(), lib.library.knives);
        ASSERT_EQ(lib.library.knives.count(), 1u) << c.attributes;
        EXPECT_EQ(lib.library.knives[0]->PlungeVel, c.plunge) << c.attributes;
        EXPECT_EQ(lib.library.knives[0]->Kind, c.kind) << c.attributes;
        ASSERT_TRUE(SaveKnifeFile(lib.library.knives, lib.context()));
        EXPECT_NE(lib.read("HingesKnife.xml").find(std::string("DrillStop=\"\"") + c.written), std::string::npos)
            << c.attributes << "\n" << lib.read("HingesKnife.xml");
    }
}
