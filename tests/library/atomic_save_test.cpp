#include "TempLibrary.h"

#include <library/AtomicFile.h>
#include <kernel/GK_Factories.h>
#include <library/HingesFile.h>
#include <library/KnifeFile.h>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr int kChildSaveFailed = 3;
constexpr rlim_t kWriteLimit = 64; // bytes, less than any hinge file

std::unique_ptr<GK_Hinges> hingeWithThickness(double thick)
{
    auto hinge = api_gk_make_hinges({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    hinge->SetName("H");
    hinge->SetThick(thick);
    return hinge;
}

void killSelf(const std::string&)
{
    raise(SIGKILL);
}

// Runs the save in a child process that is killed right before the new file
// would replace the old one; answers the child's wait status.
template <typename Save>
int saveKilledBeforeReplace(Save save)
{
    const pid_t child = fork();
    if (child == 0) {
        SetBeforeReplaceHook(killSelf);
        save();
        _exit(kChildSaveFailed);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}
} // namespace

TEST(AtomicSave, KillDuringASaveLeavesTheOldFileWhole)
{
    TempLibrary lib;
    ASSERT_TRUE(SaveHingesFile(hingeWithThickness(1).get(), lib.context()));
    const std::string before = lib.read("Hinges/H.xml");

    const int status = saveKilledBeforeReplace([&lib] { SaveHingesFile(hingeWithThickness(2).get(), lib.context()); });
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(lib.read("Hinges/H.xml"), before);

    // The leftover temporary file is never read as a model.
    LoadAllHinges(lib.folder(), lib.library.hinges);
    ASSERT_EQ(lib.library.hinges.count(), 1u);
    EXPECT_DOUBLE_EQ(lib.library.hinges[0]->GetThick(), 1);
}

TEST(AtomicSave, KillDuringAToolTableSaveKeepsTheTable)
{
    TempLibrary lib;
    lib.library.knives.add_tail(std::make_unique<KnifeInfo>());
    ASSERT_TRUE(SaveKnifeFile(lib.library.knives, lib.context()));
    const std::string before = lib.read("HingesKnife.xml");
    lib.library.knives.add_tail(std::make_unique<KnifeInfo>());

    const int status = saveKilledBeforeReplace([&lib] { SaveKnifeFile(lib.library.knives, lib.context()); });
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(lib.read("HingesKnife.xml"), before);
}

TEST(AtomicSave, SecondSaveReplacesAndLeavesNoTemporaryFile)
{
    TempLibrary lib;
    ASSERT_TRUE(SaveHingesFile(hingeWithThickness(1).get(), lib.context()));
    ASSERT_TRUE(SaveHingesFile(hingeWithThickness(2).get(), lib.context()));
    std::vector<std::string> entries;
    for (const auto& entry : std::filesystem::directory_iterator(lib.path("Hinges")))
        entries.push_back(entry.path().filename().string());
    EXPECT_EQ(entries, std::vector<std::string>{"H.xml"});
    EXPECT_DOUBLE_EQ(LoadHingesFile(lib.path("Hinges/H.xml")).model->GetThick(), 2);
}

TEST(AtomicSave, FailedWriteIsReportedAndKeepsTheOldFile)
{
    TempLibrary lib;
    ASSERT_TRUE(SaveHingesFile(hingeWithThickness(1).get(), lib.context()));
    const std::string before = lib.read("Hinges/H.xml");

    // A file size limit makes the write fail part-way, as a full disk does.
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{kWriteLimit, kWriteLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
        const SaveResult saved = SaveHingesFile(hingeWithThickness(2).get(), lib.context());
        _exit(saved.problem == SaveProblem::CannotWrite && saved.error == EFBIG ? 0 : kChildSaveFailed);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed write was not reported";
    EXPECT_EQ(lib.read("Hinges/H.xml"), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(lib.path("Hinges")), {}), 1);
}

// A model whose file loading would pass over is refused when saved, not lost
// at the next start; the largest real models stay far below that.
TEST(AtomicSave, FileThatLoadingWouldRefuseIsNotWritten)
{
    TempLibrary lib;
    ASSERT_TRUE(SaveHingesFile(hingeWithThickness(1).get(), lib.context()));
    const std::string before = lib.read("Hinges/H.xml");
    const auto outline = [](int vertices) {
        GU_Pt_List points;
        for (int i = 0; i < vertices; ++i)
            points.add_tail(position{static_cast<double>(i % 1000), static_cast<double>(i / 1000), 0});
        return points;
    };
    auto huge = api_gk_make_hinges(outline(200000)); // three nodes a vertex
    huge->SetName("H");
    EXPECT_EQ(SaveHingesFile(huge.get(), lib.context()).problem, SaveProblem::TooLarge);
    EXPECT_EQ(lib.read("Hinges/H.xml"), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(lib.path("Hinges")), {}), 1);

    auto large = api_gk_make_hinges(outline(100000));
    large->SetName("L");
    ASSERT_TRUE(SaveHingesFile(large.get(), lib.context()));
    EXPECT_EQ(LoadHingesFile(lib.path("Hinges/L.xml")).model->GetLoopOut().count(), 100000u);
}
