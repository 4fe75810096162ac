// Deleting, renaming and undoing them in the library, on disk and in the
// lists; a rename stopped after any of its steps, as a kill would stop it.
#include "TempLibrary.h"

#include <library/DoorModelFile.h>
#include <library/HingesFile.h>
#include <library/KnifeFile.h>
#include <library/Library.h>
#include <library/LockCoreFile.h>
#include <library/NameLookup.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Problem = LibraryOutcome::Problem;

std::set<std::string> filesIn(const fs::path& folder)
{
    std::set<std::string> names;
    if (fs::is_directory(folder))
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            if (entry.is_regular_file())
                names.insert(fs::relative(entry.path(), folder).string());
    return names;
}

template <typename List>
std::vector<std::string> namesOf(const List& list)
{
    std::vector<std::string> names;
    for (const auto* model : list)
        names.push_back(model->GetName());
    return names;
}

// A library on disk: hinges H and K, lock core L, doors D1 and D2 with H and
// L, and D3 with K.
class LibraryOperations : public ::testing::Test {
protected:
    LibraryOperations() : library(lib.path(""))
    {
        for (const char* name : {"H", "K"})
            EXPECT_TRUE(SaveHingesFile(SmallHinge(name).get(), library.saveContext()));
        auto lock = api_gk_make_lockcore(TestSquare(), TestSquare());
        lock->SetName("L");
        EXPECT_TRUE(SaveLockCoreFile(lock.get(), library.saveContext()));
        library.reload();
        for (const auto& [door, hinge] : {std::pair{"D1", "H"}, {"D2", "H"}, {"D3", "K"}}) {
            auto made = api_gk_make_door_with_hinges(door, "", 2000, 900, 40);
            made->SetHingesModel(ShareHingesByName(library.models(), hinge));
            if (std::string(hinge) == "H")
                made->SetLockCoreModel(ShareLockCoreByName(library.models(), "L"));
            made->SetHingesPos({100, 0, 0});
            EXPECT_TRUE(SaveDoorModelFile(made.get(), library.saveContext()));
        }
        library.reload();
        followed = library.onChanged([this](const LibraryChange& c) { told.push_back(c); });
    }

    // The library as the next start reads it.
    std::unique_ptr<Library> restarted() const
    {
        auto again = std::make_unique<Library>(lib.path(""));
        again->reload();
        return again;
    }

    std::set<std::string> disk() const
    {
        std::set<std::string> all;
        for (const char* folder : {"Hinges", "Lockcores", "DoorModel"})
            for (const std::string& name : filesIn(lib.path(folder)))
                all.insert(std::string(folder) + "/" + name);
        return all;
    }

    TempLibrary lib;
    Library library;
    std::vector<LibraryChange> told;
    Library::Connection followed;
};

// Stopped after each step of renaming H (its file, the two doors naming it,
// the old file): every door of the next start still has a hinge and the lock
// core, every file reads, and the hinge is there under one name or both.
TEST_F(LibraryOperations, ARenameStoppedAfterAnyStepLeavesEveryDoorBound)
{
    const std::size_t steps = library.planRename(LibraryPart::Hinges, 0, "H2").steps.size();
    ASSERT_EQ(steps, 4u);
    for (std::size_t done = 0; done <= steps; ++done) {
        TempLibrary scratch;
        fs::copy(lib.path(""), scratch.path(""), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        Library copy(scratch.path(""));
        copy.reload();
        RenamePlan plan = copy.planRename(LibraryPart::Hinges, 0, "H2");
        for (std::size_t i = 0; i < done; ++i)
            ASSERT_TRUE(plan.steps[i]()) << i;

        Library next(scratch.path(""));
        next.reload();
        SCOPED_TRACE(done);
        EXPECT_TRUE(next.models().skipped.empty());
        EXPECT_TRUE(next.models().unboundDoors.empty());
        const std::vector<std::string> hinges = namesOf(next.models().hinges);
        const bool oldThere = std::count(hinges.begin(), hinges.end(), "H") == 1;
        const bool newThere = std::count(hinges.begin(), hinges.end(), "H2") == 1;
        EXPECT_TRUE(oldThere || newThere);
        EXPECT_EQ(oldThere, done < steps);
        EXPECT_EQ(newThere, done > 0);
        for (const GK_DoorWithHinges* door : next.models().doors) {
            ASSERT_NE(door->GetHingesModel(), nullptr) << door->GetName();
            if (door->GetName() != "D3")
                EXPECT_EQ(door->GetLockCoreModel(), next.models().lockCores[0]);
        }
    }
}

TEST_F(LibraryOperations, ARenamedHingeKeepsItsRowAndItsDoorsAfterARestart)
{
    ASSERT_TRUE(library.renameModel(LibraryPart::Hinges, 0, "H2"));
    EXPECT_EQ(namesOf(library.models().hinges), (std::vector<std::string>{"H2", "K"}));
    EXPECT_EQ(library.models().doors[0]->GetHingesModel()->GetName(), "H2");
    EXPECT_EQ(FindHingesByName(library.models(), "H2"), library.models().hinges[0]);
    EXPECT_EQ(FindHingesByName(library.models(), "H"), nullptr);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].kind, LibraryChange::Kind::Renamed);
    EXPECT_EQ(told[0].name, "H");
    EXPECT_EQ(disk().count("Hinges/H.xml"), 0u);

    const auto next = restarted();
    for (const GK_DoorWithHinges* door : next->models().doors)
        EXPECT_EQ(door->GetHingesModel()->GetName(), door->GetName() == "D3" ? "K" : "H2");
}

struct Refusal {
    const char* what;
    LibraryPart part;
    std::size_t row;
    std::string newName; // empty: delete
    Problem problem;
};

// Nothing changes on disk or in the lists when an operation is refused.
TEST_F(LibraryOperations, RefusedOperationsChangeNothing)
{
    const Refusal cases[] = {
        {"hinge used by doors", LibraryPart::Hinges, 0, "", Problem::InUse},
        {"lock core used by doors", LibraryPart::LockCores, 0, "", Problem::InUse},
        {"no such row", LibraryPart::Doors, 7, "", Problem::NoModel},
        {"name of another hinge", LibraryPart::Hinges, 0, "k", Problem::NameTaken},
        {"blank name", LibraryPart::Doors, 0, "  ", Problem::BadName},
        {"path in the name", LibraryPart::Doors, 0, "a/b", Problem::BadName},
    };
    const std::set<std::string> before = disk();
    for (const Refusal& c : cases) {
        const LibraryOutcome outcome = c.newName.empty() ? library.removeModel(c.part, c.row)
                                                         : library.renameModel(c.part, c.row, c.newName);
        EXPECT_EQ(outcome.problem, c.problem) << c.what;
    }
    EXPECT_EQ(library.removeModel(LibraryPart::Hinges, 0).doors, (std::vector<std::string>{"D1", "D2"}));
    EXPECT_EQ(disk(), before);
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(library.lastStep(), nullptr);
}

TEST_F(LibraryOperations, ADeletedDoorGoesIntoTheDeletedFolderAndComesBackByUndo)
{
    ASSERT_TRUE(library.removeModel(LibraryPart::Doors, 1));
    EXPECT_EQ(namesOf(library.models().doors), (std::vector<std::string>{"D1", "D3"}));
    EXPECT_EQ(disk().count("DoorModel/D2.xml"), 0u);
    const std::set<std::string> deleted = filesIn(lib.path("已删除"));
    ASSERT_EQ(deleted.size(), 1u);
    // "DoorModel/D2 20261209-201500.xml"
    EXPECT_EQ(deleted.begin()->rfind("DoorModel/D2 ", 0), 0u) << *deleted.begin();
    EXPECT_EQ(deleted.begin()->size(), std::string("DoorModel/D2 20261209-201500.xml").size());
    EXPECT_EQ(restarted()->models().doors.count(), 2u);

    ASSERT_TRUE(library.undo());
    EXPECT_EQ(namesOf(library.models().doors), (std::vector<std::string>{"D1", "D2", "D3"}));
    EXPECT_EQ(library.models().doors[1]->GetHingesModel(), library.models().hinges[0]);
    EXPECT_TRUE(filesIn(lib.path("已删除")).empty());
    EXPECT_EQ(told.back().kind, LibraryChange::Kind::Added);
    EXPECT_EQ(told.back().row, 1u);
    EXPECT_EQ(library.undo().problem, Problem::NoModel) << "nothing left to undo";
}

// Each operation undone, newest first, brings back the disk and the lists
// as they were before it.
TEST_F(LibraryOperations, UndoTakesBackEachOperationInTurn)
{
    struct State {
        std::set<std::string> disk;
        std::vector<std::string> hinges, doors;
    };
    const auto state = [this] { return State{disk(), namesOf(library.models().hinges), namesOf(library.models().doors)}; };
    std::vector<State> before;
    const auto put = [this](double thick) {
        const SaveResult saved = SaveHingesFile(SmallHinge("N", thick).get(), library.saveContext());
        library.putHinges(*SmallHinge("N", thick));
        LibraryOutcome outcome;
        outcome.saved = saved;
        outcome.problem = saved ? Problem::None : Problem::SaveFailed;
        return outcome;
    };
    const std::vector<std::function<LibraryOutcome()>> operations{
        [&] { return library.renameModel(LibraryPart::Hinges, 1, "K2"); },
        [&] { return library.removeModel(LibraryPart::Doors, 0); },
        [&] { return library.renameModel(LibraryPart::Doors, 1, "E"); },
        [&] { return put(1.0); }, // a new hinge, as an import saves and lists it
        [&] { return put(5.0); }, // the same name again: replaced in place
    };
    for (const auto& operation : operations) {
        before.push_back(state());
        ASSERT_TRUE(operation());
    }
    EXPECT_EQ(library.models().hinges[2]->GetThick(), 5.0);
    for (std::size_t i = operations.size(); i-- > 0;) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(library.undo());
        if (i == 4)
            EXPECT_EQ(library.models().hinges[2]->GetThick(), 1.0);
        EXPECT_EQ(disk(), before[i].disk);
        EXPECT_EQ(namesOf(library.models().hinges), before[i].hinges);
        EXPECT_EQ(namesOf(library.models().doors), before[i].doors);
    }
    EXPECT_EQ(library.lastStep(), nullptr);
}

// F5 keeps the rows of the run: a model put at the tail stays there, a
// model new on disk follows, a model gone leaves its row.
TEST_F(LibraryOperations, ReloadKeepsTheRowsOfTheRun)
{
    ASSERT_TRUE(SaveHingesFile(SmallHinge("A").get(), library.saveContext()));
    library.putHinges(*SmallHinge("A"));
    EXPECT_EQ(namesOf(library.models().hinges), (std::vector<std::string>{"H", "K", "A"}));
    ASSERT_TRUE(SaveHingesFile(SmallHinge("B").get(), library.saveContext()));
    ASSERT_TRUE(SaveHingesFile(SmallHinge("0").get(), library.saveContext()));
    fs::remove(lib.path("Hinges/K.xml"));
    library.reload();
    EXPECT_EQ(namesOf(library.models().hinges), (std::vector<std::string>{"H", "A", "0", "B"}));
    EXPECT_EQ(namesOf(restarted()->models().hinges), (std::vector<std::string>{"0", "A", "B", "H"}))
        << "a first read goes by file name";
}

// A tool table save is undone like the model operations: the list of
// before comes back in memory and in the file, one save at a time.
TEST_F(LibraryOperations, UndoWritesTheToolTableOfBeforeBack)
{
    const auto save = [this](std::vector<int> numbers) {
        GU_OwnedList<KnifeInfo> tools;
        for (int id : numbers) {
            tools.add_tail(std::make_unique<KnifeInfo>());
            tools[tools.count() - 1]->ID = id;
        }
        ASSERT_TRUE(SaveKnifeFile(tools, library.saveContext()));
        library.setTools(tools);
    };
    const auto numbers = [this] {
        std::vector<int> ids;
        for (const KnifeInfo* knife : library.models().knives)
            ids.push_back(knife->ID);
        return ids;
    };
    save({1, 2, 3});
    save({1, 3});
    ASSERT_NE(library.lastStep(), nullptr);
    EXPECT_EQ(library.lastStep()->part, LibraryPart::Tools);
    ASSERT_TRUE(library.undo());
    EXPECT_EQ(numbers(), (std::vector<int>{1, 2, 3}));
    library.reloadTools();
    EXPECT_EQ(numbers(), (std::vector<int>{1, 2, 3})) << "the file holds it too";
    ASSERT_TRUE(library.undo());
    library.reloadTools();
    EXPECT_EQ(numbers(), std::vector<int>{});
    EXPECT_EQ(library.lastStep(), nullptr);
}

} // namespace
