// Inputs with which fuzzing found faults, each read as start-up reads it:
// what loads must either save and load back the same, or have its save
// refused with a reason, never be written as a file the next start drops.
#include "TempLibrary.h"

#include <library/DoorModelFile.h>

#include <filesystem>

namespace {
std::vector<std::filesystem::path> findings(const char* kind)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(VARNHOLT_SOURCE_DIR) / "tests/library/fuzz_findings" / kind))
        files.push_back(entry.path());
    return files;
}
} // namespace

TEST(FuzzFindings, DoorsThatLoadSaveAndLoadBackOrAreRefused)
{
    const std::vector<std::filesystem::path> files = findings("door");
    ASSERT_FALSE(files.empty());
    for (const std::filesystem::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        TempLibrary lib;
        std::ifstream in(file, std::ios::binary);
        lib.write("DoorModel/input.xml", std::string(std::istreambuf_iterator<char>(in), {}));
        const ModelLoad<GK_DoorWithHinges> load = LoadDoorModelFile(lib.path("DoorModel/input.xml"), lib.library);
        if (!load.model)
            continue;
        std::filesystem::remove(lib.path("DoorModel/input.xml"));
        const SaveResult saved = SaveDoorModelFile(load.model.get(), lib.context());
        if (!saved)
            continue;
        const ModelLoad<GK_DoorWithHinges> back = LoadDoorModelFile(saved.path, lib.library);
        ASSERT_TRUE(back.model) << "saved as a file the next start drops";
        double length = 0, width = 0, thickness = 0, backLength = 0, backWidth = 0, backThickness = 0;
        load.model->GetDoorSize(length, width, thickness);
        back.model->GetDoorSize(backLength, backWidth, backThickness);
        EXPECT_NEAR(backLength, length, 0.005);
        EXPECT_NEAR(backWidth, width, 0.005);
        EXPECT_NEAR(backThickness, thickness, 0.005);
    }
}
