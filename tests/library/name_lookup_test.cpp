#include "TempLibrary.h"

#include <kernel/GK_Factories.h>
#include <library/NameLookup.h>

namespace {
struct NamePair {
    std::string a;
    std::string b;
    bool equal;
};

GK_Hinges* addHinge(ModelLibrary& library, const std::string& name)
{
    auto hinge = api_gk_make_hinges({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    hinge->SetName(name);
    GK_Hinges* raw = hinge.get();
    library.hinges.add_tail(std::move(hinge));
    return raw;
}
} // namespace

TEST(NameLookup, ComparesGbkNamesFoldingOnlyAsciiLetters)
{
    const std::string trailLowerA = "\x83\x61";
    const NamePair cases[] = {
        {"H1", "h1", true},
        {"Abc-9", "aBC-9", true},
        {"H1", "H2", false},
        {"", "", true},
        {"H", "H ", false},
        {kGbkTrailA, trailLowerA, false},           // trail bytes never fold
        {kGbkTrailA + "A", kGbkTrailA + "a", true}, // letters after a double-byte character do
        {kGbkHinge + "X", kGbkHinge + "x", true},
        {"\xFF" "A", "\xFF" "a", true},             // 0xFF leads nothing
    };
    for (const NamePair& c : cases)
        EXPECT_EQ(EqualNamesNoCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
}

TEST(NameLookup, FindsTheFirstMatchAndFollowsTheGrowingList)
{
    TempLibrary lib;
    GK_Hinges* upper = addHinge(lib.library, "H1");
    addHinge(lib.library, "h1");
    EXPECT_EQ(FindHingesByName(lib.library, "h1"), upper);
    EXPECT_EQ(FindHingesByName(lib.library, "H2"), nullptr);
    GK_Hinges* added = addHinge(lib.library, "h2");
    EXPECT_EQ(FindHingesByName(lib.library, "H2"), added);
    GK_Hinges* trail = addHinge(lib.library, kGbkTrailA);
    EXPECT_EQ(FindHingesByName(lib.library, "\x83\x61"), nullptr);
    EXPECT_EQ(FindHingesByName(lib.library, kGbkTrailA), trail);

    // An entry replaced in place is not found under its old name.
    auto replacement = api_gk_make_hinges({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    replacement->SetName("other");
    GK_Hinges* other = replacement.get();
    lib.library.hinges.replace(0, std::move(replacement));
    EXPECT_EQ(FindHingesByName(lib.library, "H1"), lib.library.hinges[1]);
    EXPECT_EQ(FindHingesByName(lib.library, "OTHER"), other);

    auto lockCore = api_gk_make_lockcore({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    lockCore->SetName("L1");
    lib.library.lockCores.add_tail(std::move(lockCore));
    EXPECT_EQ(FindLockCoreByName(lib.library, "l1"), lib.library.lockCores[0]);
}
