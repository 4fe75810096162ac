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
    for (const std::string& folder : {source + "/samples/cad", source + "/tests/importer/data",
                                     source + "/tests/importer/data/producers", source + "/tests/importer/fuzz_findings",
                                     std::string(VARNHOLT_PRODUCER_DRAWINGS)}) {
        if (!std::filesystem::exists(folder))
            continue; // no fuzz finding kept yet
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (!entry.is_regular_file() || entry.path().filename() == "written")
                continue;
            SCOPED_TRACE(entry.path().string());
            std::string outcome;
            const auto limit = std::chrono::seconds(entry.path().extension() == ".dwg" ? 10 : 2);
            ASSERT_TRUE(importEnds(entry.path().string(), limit, outcome));
            EXPECT_EQ(outcome, "");
            ++tried;
        }
    }
    EXPECT_GE(tried, 67u);
}

// The same hinge plate and lock core written in every DXF version, as text
// and as binary, with arrays, dimensions, hatches, splines and texts around
// them: each imports as the part it holds.
TEST(ProducerDrawings, EveryVersionImportsItsPart)
{
    const std::filesystem::path folder = VARNHOLT_PRODUCER_DRAWINGS;
    for (const char* version : {"r12", "r2000", "r2004", "r2007", "r2010", "r2013", "r2018"})
        for (const char* form : {"", "_binary"}) {
            const std::string stem = std::string(version) + form + ".dxf";
            SCOPED_TRACE(stem);
            CadImporter hinge{readerParser()};
            ASSERT_EQ(hinge.import_hinges_from_cad_file((folder / ("hinge_" + stem)).string()), 0)
                << hinge.report().failure;
            const GK_Box plate = loopBox(hinge.get_hinges_model()->GetLoopOut());
            EXPECT_NEAR(plate.x1 - plate.x0, 100.0, 1e-6);
            EXPECT_NEAR(plate.y1 - plate.y0, 35.0, 1e-6);
            EXPECT_EQ(hinge.get_hinges_model()->GetListHole().count(), 3u) << "the cup and the arrayed screw holes";

            CadImporter lock{readerParser()};
            ASSERT_EQ(lock.import_lockcore_from_cad_file((folder / ("lockcore_" + stem)).string()), 0)
                << lock.report().failure;
            EXPECT_EQ(lock.get_lockcore_model()->GetTopList().count(), 2u);
            EXPECT_EQ(lock.get_lockcore_model()->GetSideList().count(), 2u);
        }
}

} // namespace
