#include "TestDrawings.h"

#include <importer/CadImporter.h>
#include <library/HingesFile.h>
#include <library/LockCoreFile.h>

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

namespace {

constexpr double kFileRounding = 0.01;

void expectSameLoop(const GU_Loop& a, const GU_Loop& b)
{
    ASSERT_EQ(a.count(), b.count());
    for (std::size_t i = 0; i < a.count(); ++i) {
        EXPECT_NEAR(a.vertex(i).x, b.vertex(i).x, kFileRounding);
        EXPECT_NEAR(a.vertex(i).y, b.vertex(i).y, kFileRounding);
    }
}

class RoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(m_folder / "Hinges");
        std::filesystem::create_directories(m_folder / "Lockcores");
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    const std::filesystem::path m_folder =
        std::filesystem::temp_directory_path() / ("importer_round_trip_" + std::to_string(::getpid()));
    const SaveContext m_here{m_folder.string()};
    CadImporter importer{readerParser()};
};

TEST_F(RoundTrip, ImportedHingeSavedAndReadBackIsTheSameModel)
{
    ASSERT_EQ(importer.import_hinges_from_cad_file(testDrawing("hinge_rounded.dxf")), 0);
    GK_Hinges& imported = *importer.get_hinges_model();
    imported.SetName("cup");
    ASSERT_TRUE(SaveHingesFile(&imported, m_here));
    const auto loaded = LoadHingesFile((m_folder / "Hinges" / "cup.xml").string()).model;
    ASSERT_NE(loaded, nullptr);
    expectSameLoop(imported.GetLoopOut(), loaded->GetLoopOut());
    ASSERT_EQ(loaded->GetListHole().count(), imported.GetListHole().count());
    for (std::size_t i = 0; i < imported.GetListHole().count(); ++i) {
        const GK_Circle_Hole* a = imported.GetListHole()[i];
        const GK_Circle_Hole* b = loaded->GetListHole()[i];
        EXPECT_NEAR(a->get_cen().x, b->get_cen().x, kFileRounding);
        EXPECT_NEAR(a->get_cen().y, b->get_cen().y, kFileRounding);
        EXPECT_NEAR(a->get_radius(), b->get_radius(), kFileRounding);
        EXPECT_NEAR(a->get_z(), b->get_z(), kFileRounding);
    }
}

TEST_F(RoundTrip, ImportedLockCoreSavedAndReadBackKeepsFacesAndHoles)
{
    ASSERT_EQ(importer.import_lockcore_from_cad_file(sampleDrawing("lockcore_plate.dxf")), 0);
    GK_LockCore& imported = *importer.get_lockcore_model();
    imported.SetName("plate");
    ASSERT_TRUE(SaveLockCoreFile(&imported, m_here));
    const auto loaded = LoadLockCoreFile((m_folder / "Lockcores" / "plate.xml").string()).model;
    ASSERT_NE(loaded, nullptr);
    expectSameLoop(imported.GetTopLoop(), loaded->GetTopLoop());
    expectSameLoop(imported.GetSideLoop(), loaded->GetSideLoop());
    ASSERT_EQ(loaded->GetTopList().count(), imported.GetTopList().count());
    ASSERT_EQ(loaded->GetSideList().count(), imported.GetSideList().count());
    for (std::size_t i = 0; i < imported.GetTopList().count(); ++i)
        EXPECT_EQ(loaded->GetTopList()[i]->is_circle(), imported.GetTopList()[i]->is_circle());
}

} // namespace
