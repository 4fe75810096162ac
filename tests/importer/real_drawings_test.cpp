#include "TestDrawings.h"

#include <importer/CadImporter.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <thread>

namespace {

// Centre marks and block lines that meet nothing lie beside a 60 x 45 plate
// with one hole: the loose pieces must not hold up the import.
class LoosePieces : public ::testing::TestWithParam<const char*> {};

TEST_P(LoosePieces, LeaveThePlateAndItsHole)
{
    CadImporter importer{readerParser()};
    ASSERT_EQ(importer.import_hinges_from_cad_file(testDrawing(std::string("producers/") + GetParam())), 0)
        << importer.report().failure;
    const GK_Hinges* hinges = importer.get_hinges_model();
    ASSERT_NE(hinges, nullptr);
    const GK_Box box = loopBox(hinges->GetLoopOut());
    EXPECT_NEAR(box.x1 - box.x0, 60.0, 1e-9);
    EXPECT_NEAR(box.y1 - box.y0, 45.0, 1e-9);
    EXPECT_EQ(hinges->GetListHole().count(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Drawings, LoosePieces, ::testing::Values("centre_marks.dxf", "block_loose_lines.dxf"),
                         [](const auto& info) {
                             return std::filesystem::path(info.param).stem().string();
                         });

// Ends with a model or a reason for both kinds of import; false when it had
// not ended after `limit`. A hung import is left running on its own thread so
// the other drawings are still tried.
bool importEnds(const std::string& path, std::chrono::seconds limit, std::string& outcome)
{
    auto result = std::make_shared<std::promise<std::string>>();
    std::future<std::string> done = result->get_future();
    std::thread([path, result] {
        CadImporter importer{readerParser()};
        std::string text;
        for (bool hinge : {true, false}) {
            const int rc = hinge ? importer.import_hinges_from_cad_file(path)
                                 : importer.import_lockcore_from_cad_file(path);
            const bool model = hinge ? importer.get_hinges_model() != nullptr : importer.get_lockcore_model() != nullptr;
            if ((rc == 0) != model || (rc != 0 && !importer.report().failure))
                text += "no model and no reason; ";
        }
        result->set_value(text);
    }).detach();
    if (done.wait_for(limit) != std::future_status::ready)
        return false;
    outcome = done.get();
    return true;
}

// Every drawing we have, from several writers and versions, ends within a
// couple of seconds with a model or a reason; a DWG drawing starts node
// twice, which a busy machine may stretch to seconds of its own.
TEST(RealDrawings, EveryOneEndsWithAModelOrAReason)
{
    const std::string source = VARNHOLT_SOURCE_DIR;
    std::size_t tried = 0;
    for (const char* folder : {"/samples/cad", "/tests/importer/data", "/tests/importer/data/producers"})
        for (const auto& entry : std::filesystem::directory_iterator(source + folder)) {
            if (!entry.is_regular_file())
                continue;
            SCOPED_TRACE(entry.path().string());
            std::string outcome;
            const auto limit = std::chrono::seconds(entry.path().extension() == ".dwg" ? 10 : 2);
            ASSERT_TRUE(importEnds(entry.path().string(), limit, outcome));
            EXPECT_EQ(outcome, "");
            ++tried;
        }
    EXPECT_GE(tried, 39u);
}

} // namespace
