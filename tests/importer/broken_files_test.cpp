#include "TestDrawings.h"

#include <importer/CadImporter.h>
#include <importer/DxfFileCheck.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include <unistd.h>

namespace {

struct BrokenCase {
    const char* name;
    std::string path;
    ImportProblem problem;
    std::string detail = {};
};

class BrokenFile : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenFile, GivesNoModelAndAReasonForEitherImport)
{
    const BrokenCase& c = GetParam();
    CadImporter importer{readerParser()};
    EXPECT_NE(importer.import_hinges_from_cad_file(c.path), 0);
    EXPECT_EQ(importer.get_hinges_model(), nullptr);
    EXPECT_EQ(importer.report().failure.problem, c.problem) << importer.report().failure;
    EXPECT_EQ(importer.report().failure.detail, c.detail);

    EXPECT_NE(importer.import_lockcore_from_cad_file(c.path), 0);
    EXPECT_EQ(importer.get_lockcore_model(), nullptr);
    EXPECT_EQ(importer.report().failure.problem, c.problem) << importer.report().failure;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenFile,
    ::testing::Values(BrokenCase{"Missing", testDrawing("does_not_exist.dxf"), ImportProblem::FileMissing},
                      BrokenCase{"Directory", testDrawing(""), ImportProblem::NotAFile},
                      BrokenCase{"Empty", testDrawing("empty.dxf"), ImportProblem::EmptyFile},
                      BrokenCase{"Truncated", testDrawing("truncated.dxf"), ImportProblem::MissingValue},
                      BrokenCase{"PlainText", testDrawing("not_a_drawing.dxf"), ImportProblem::NoGroupCode},
                      BrokenCase{"HugeVertexCount", testDrawing("huge_count.dxf"), ImportProblem::BadCount, "LWPOLYLINE"},
                      BrokenCase{"HugeSplineCounts", testDrawing("huge_spline.dxf"), ImportProblem::BadCount, "SPLINE"},
                      BrokenCase{"BlockExplosion", testDrawing("blocks_bomb.dxf"), ImportProblem::TooManyPlaced}),
    [](const auto& info) { return std::string(info.param.name); });

// Cut and damaged copies of a valid drawing: each one either imports or
// fails with a reason; none may crash or hang.
TEST(DamagedFile, CutsAndFlippedBytesNeverCrash)
{
    std::ifstream in(testDrawing("chain_mixed.dxf"), std::ios::binary);
    const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(whole.empty());
    const auto scratch = std::filesystem::temp_directory_path() / ("importer_damaged_" + std::to_string(::getpid()));
    std::filesystem::create_directories(scratch);
    const std::string path = (scratch / "damaged.dxf").string();

    std::mt19937 random(12345);
    constexpr int kVariants = 150;
    CadImporter importer{readerParser()};
    for (int i = 0; i < kVariants; ++i) {
        std::string bytes = whole;
        if (i % 2 == 0) {
            bytes.resize(std::uniform_int_distribution<std::size_t>(0, whole.size())(random));
        } else {
            for (int k = 0; k < 8; ++k)
                bytes[std::uniform_int_distribution<std::size_t>(0, bytes.size() - 1)(random)] =
                    static_cast<char>(random());
        }
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        const int rc = importer.import_hinges_from_cad_file(path);
        EXPECT_EQ(rc == 0, importer.get_hinges_model() != nullptr);
        EXPECT_EQ(rc == 0, !importer.report().failure) << "variant " << i;
    }
    std::filesystem::remove_all(scratch);
}

} // namespace

// A group code's line as the check reads it, in every form dxflib takes or
// refuses, at the first group and at a later one.
TEST(GroupCodeLines, ReadAsTheParserReadsThem)
{
    const struct {
        std::string line;
        bool read;
    } cases[] = {
        {"0", true},          {"  0", true},       {"\t 0 \r", true},   {"+0", true},
        {"000000000000000000000", true},           {"  0x", false},     {"", false},
        {"0 1", false},       {"a0", false},       {"99999999999999999999", false},
    };
    for (const auto& c : cases) {
        const DxfFileCheck first = checkDxfText(c.line + "\nSECTION\n  0\nEOF\n");
        EXPECT_EQ(first.failure.problem, c.read ? ImportProblem::None : ImportProblem::NoGroupCode) << c.line;
        const DxfFileCheck second = checkDxfText("  0\nSECTION\n" + c.line + "\nSECTION\n  0\nEOF\n");
        EXPECT_EQ(second.failure.problem, c.read ? ImportProblem::None : ImportProblem::BadGroupCode) << c.line;
    }
}
