// The library as the document: what each change announces, and that what
// shares a model keeps it through the change.
#include "TempLibrary.h"

#include <library/HingesFile.h>
#include <library/Library.h>
#include <library/NameLookup.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Told {
    LibraryChange::Kind kind;
    LibraryPart part;
    std::size_t row;
    bool operator==(const Told&) const = default;
};

class LibraryDocument : public ::testing::Test {
protected:
    LibraryDocument() : library(lib.path(""))
    {
        followed = library.onChanged([this](const LibraryChange& c) {
            told.push_back({c.kind, c.kind == LibraryChange::Kind::Reloaded ? LibraryPart::Hinges : c.part, c.row});
        });
    }

    TempLibrary lib;
    Library library;
    std::vector<Told> told;
    Library::Connection followed;
};

TEST_F(LibraryDocument, EachChangeSaysWhatAndWhere)
{
    using K = LibraryChange::Kind;
    library.putHinges(*SmallHinge("A"));
    library.putHinges(*SmallHinge("B"));
    library.putHinges(*SmallHinge("a", 2.0)); // the same name in another case
    library.putDoor(api_gk_make_door_with_hinges("D", "", 2000, 900, 40));
    library.putDoor(api_gk_make_door_with_hinges("d", "", 2100, 900, 40));
    library.setTools({});
    library.reload();
    EXPECT_EQ(told, (std::vector<Told>{{K::Added, LibraryPart::Hinges, 0},
                                       {K::Added, LibraryPart::Hinges, 1},
                                       {K::Replaced, LibraryPart::Hinges, 0},
                                       {K::Added, LibraryPart::Doors, 0},
                                       {K::Replaced, LibraryPart::Doors, 0},
                                       {K::Replaced, LibraryPart::Tools, 0},
                                       {K::Reloaded, LibraryPart::Hinges, 0}}));
}

// A door that shares a hinge keeps it through a reload that lets the hinge
// go; a listener still finds it alive, and after rebinding the door has the
// hinge of that name now read, or none once the file went.
TEST_F(LibraryDocument, ASharedModelOutlivesTheReloadAndIsRebound)
{
    ASSERT_TRUE(SaveHingesFile(SmallHinge("H", 3.0).get(), library.saveContext()));
    library.reload();
    GK_DoorWithHinges door("D", "", 2000, 900, 40);
    door.SetHingesModel(library.models().hinges.share(0));
    const GK_Hinges* before = door.GetHingesModel();
    double thickSeenByListener = 0.0;
    const Library::Connection watch = library.onChanged(
        [&](const LibraryChange&) { thickSeenByListener = door.GetHingesModel()->GetThick(); });

    library.reload();
    EXPECT_EQ(thickSeenByListener, 3.0);
    EXPECT_FALSE(static_cast<bool>(RebindDoorModels(door, library.models())));
    EXPECT_NE(door.GetHingesModel(), before);
    EXPECT_EQ(door.GetHingesModel(), library.models().hinges[0]);

    std::filesystem::remove(lib.path("Hinges/H.xml"));
    library.reload();
    EXPECT_TRUE(RebindDoorModels(door, library.models()).hinges);
    EXPECT_EQ(door.GetHingesModel(), nullptr);
}

TEST_F(LibraryDocument, AListenerGoneIsNotCalled)
{
    followed = {};
    library.putHinges(*SmallHinge("A"));
    EXPECT_TRUE(told.empty());
}

} // namespace
