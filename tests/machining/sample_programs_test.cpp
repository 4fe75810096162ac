// The programs in samples/nc are those the sample library gives with the
// default machine profile. Run with VARNHOLT_UPDATE_SAMPLES=1 to write them
// anew after a deliberate change.
#include "MachiningFixtures.h"

#include <machining/GcodeWriter.h>
#include <machining/MachiningPlan.h>

#include <library/GbkText.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

TEST(SamplePrograms, MatchTheSampleLibrary)
{
    ModelLibrary library;
    fixtures::loadSampleLibrary(library);
    const bool update = std::getenv("VARNHOLT_UPDATE_SAMPLES") != nullptr;
    const MachineProfile profile;
    int programs = 0;
    for (const GK_DoorWithHinges* door : library.doors) {
        for (const auto& [kind, suffix] : {std::pair{ProgramKind::Hinges, "合页"}, std::pair{ProgramKind::Lock, "锁孔"}}) {
            const MachiningPlan plan = PlanProgram(kind, *door, library.knives, profile);
            if (plan.status != PlanStatus::Ready)
                continue;
            ++programs;
            const std::string path = std::string(VARNHOLT_SOURCE_DIR) + "/samples/nc/" +
                                     GbkToUtf8(door->GetName()).value_or("?") + "_" + suffix + "." + profile.Extension;
            const std::string text = WriteGcode(plan, profile);
            if (update)
                std::ofstream(path, std::ios::binary) << text;
            EXPECT_EQ(readFile(path), text) << path;
        }
    }
    EXPECT_EQ(programs, 7) << "four doors with hinges, three with a lock core";
}

} // namespace
