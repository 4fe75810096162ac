// Start-up time stays bounded by the library's size whatever a file holds:
// each worst case at the size limit loads, or is skipped with its reason,
// within the time budget while the rest of the library loads as usual.
#include "TempLibrary.h"

#include <library/DoorModelFile.h>
#include <library/HingesFile.h>
#include <library/KnifeFile.h>
#include <library/LockCoreFile.h>
#include <tests/support/WorstCaseFiles.h>
#include <tests/support/Sanitized.h>

#include <algorithm>
#include <time.h>

namespace {
// Processor time, which other work on the machine does not stretch.
double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// Sanitizers slow everything several times; the budget still catches work
// that grows faster than the file, which takes minutes.
#ifdef VARNHOLT_SANITIZED
constexpr double kBudgetSeconds = 20.0;
#else
constexpr double kBudgetSeconds = 2.0;
#endif

class WorstCaseFile : public testing::TestWithParam<worst_case::Case> {};
} // namespace

TEST_P(WorstCaseFile, LoadsOrIsSkippedInBoundedTime)
{
    const worst_case::Case& worst = GetParam();
    TempLibrary lib;
    // The rest of the library: one good file of each kind.
    lib.write("Hinges/good.xml", "<Hinges Name=\"good\">" + worst_case::kOutline + "</Hinges>");
    lib.write("Lockcores/good.xml", "<Lockcore Name=\"good\">" + worst_case::kLockCoreBody + "</Lockcore>");
    lib.write("DoorModel/good.xml", "<Model Name=\"good\" Length=\"1\" Width=\"1\" Thick=\"1\"/>");
    lib.write("HingesKnife.xml", "<AllKnife><Knife ID=\"1\"/></AllKnife>");
    const std::string text = worst.make(kMaxLibraryFileSize);
    ASSERT_LE(text.size(), kMaxLibraryFileSize);
    lib.write(worst.file, text);

    ModelLibrary& library = lib.library;
    const double start = cpuSeconds();
    LoadAllHinges(lib.folder(), library.hinges, &library.skipped);
    LoadAllLockCores(lib.folder(), library.lockCores, &library.skipped);
    LoadAllDoorModels(lib.folder(), library.doors, library, &library.skipped);
    LoadKnifeFile(lib.folder(), library.knives, &library.skipped);
    const double seconds = cpuSeconds() - start;
    EXPECT_LT(seconds, kBudgetSeconds);

    const bool toolTable = std::string_view(worst.file) == "HingesKnife.xml";
    const std::size_t models = library.hinges.count() + library.lockCores.count() + library.doors.count();
    if (worst.outcome == LoadProblem::None) {
        EXPECT_TRUE(library.skipped.empty());
        EXPECT_EQ(models, 4u);
    } else {
        ASSERT_EQ(library.skipped.size(), 1u);
        EXPECT_EQ(library.skipped[0].path, lib.path(worst.file));
        EXPECT_EQ(library.skipped[0].outcome.problem, worst.outcome);
        EXPECT_EQ(models, 3u);
    }
    EXPECT_EQ(library.knives.count(), toolTable ? 0u : 1u);
    RecordProperty("cpu_ms", static_cast<int>(seconds * 1000));
}

INSTANTIATE_TEST_SUITE_P(Library, WorstCaseFile, testing::ValuesIn(worst_case::kCases),
                         [](const testing::TestParamInfo<worst_case::Case>& info) { return info.param.name; });
