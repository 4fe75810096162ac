#include <importer/DrawingText.h>
#include <importer/Units.h>

#include <gtest/gtest.h>

namespace {

struct UnitCase {
    std::optional<int> code;
    double millimetres;
    int taken; // the code of the unit taken
};

class InsUnits : public ::testing::TestWithParam<UnitCase> {};

// Unitless drawings, drawings without $INSUNITS and unknown codes are read in
// millimetres.
TEST_P(InsUnits, ConvertToMillimetres)
{
    const DrawingUnit unit = drawingUnit(GetParam().code);
    EXPECT_DOUBLE_EQ(unit.millimetres, GetParam().millimetres);
    EXPECT_EQ(unit.code, GetParam().taken);
    EXPECT_EQ(unit.insunits, GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Table, InsUnits,
                         ::testing::Values(UnitCase{std::nullopt, 1.0, 4}, UnitCase{0, 1.0, 4}, UnitCase{1, 25.4, 1},
                                           UnitCase{2, 304.8, 2}, UnitCase{4, 1.0, 4}, UnitCase{5, 10.0, 5},
                                           UnitCase{6, 1000.0, 6}, UnitCase{9, 0.0254, 9}, UnitCase{10, 914.4, 10},
                                           UnitCase{13, 0.001, 13}, UnitCase{14, 100.0, 14},
                                           UnitCase{21, 1200.0 / 3937.0 * 1000.0, 21}, UnitCase{24, 6336.0 / 3937.0 * 1e6, 24},
                                           UnitCase{25, 1.0, 4}, UnitCase{-3, 1.0, 4}),
                         [](const auto& info) {
                             const auto& code = info.param.code;
                             return code ? "Code" + std::to_string(*code < 0 ? 1000 - *code : *code) : std::string("Unset");
                         });

TEST(TextEncoding, CodePageAppliesOnlyBefore2007)
{
    EXPECT_EQ(drawingTextEncoding("ANSI_936", "AC1015").charset, "GBK");
    EXPECT_EQ(drawingTextEncoding("ansi_936", "AC1018").charset, "GBK");
    EXPECT_EQ(drawingTextEncoding("ANSI_936", "AC1021").charset, "");
    EXPECT_EQ(drawingTextEncoding("ANSI_1252", "AC1032").charset, "");
    EXPECT_EQ(drawingTextEncoding("ANSI_1251", "AC1009").charset, "CP1251");
    EXPECT_TRUE(drawingTextEncoding("", "AC1009").guessed);
}

TEST(TextEncoding, DecodesGbkEscapesAndKeepsWhatDoesNotDecode)
{
    const TextEncoding gbk = drawingTextEncoding("ANSI_936", "AC1015");
    EXPECT_EQ(decodeDrawingText("\xB6\xA5\xC3\xE6", gbk), "顶面");
    EXPECT_EQ(decodeDrawingText("\\U+4FA7\\U+9762", gbk), "侧面");
    EXPECT_EQ(decodeDrawingText("TOP", gbk), "TOP");
    EXPECT_EQ(decodeDrawingText("\xB6", gbk), "\xB6"); // cut-off lead byte
    EXPECT_EQ(decodeDrawingText("\\U+00", gbk), "\\U+00");
    const TextEncoding utf8 = drawingTextEncoding("ANSI_936", "AC1024");
    EXPECT_EQ(decodeDrawingText("顶面", utf8), "顶面");
    // A drawing naming no code page whose text is UTF-8 already.
    EXPECT_EQ(decodeDrawingText("侧面", drawingTextEncoding("", "AC1009")), "侧面");
}

struct HintCase {
    const char* layer;
    FaceHint hint;
};

class LayerHint : public ::testing::TestWithParam<HintCase> {};

TEST_P(LayerHint, LayerNamesSayWhichFaceTheyHold)
{
    EXPECT_EQ(faceHintOfLayer(GetParam().layer), GetParam().hint) << GetParam().layer;
}

INSTANTIATE_TEST_SUITE_P(Names, LayerHint,
                         ::testing::Values(HintCase{"TOP", FaceHint::Top}, HintCase{"top_face", FaceHint::Top},
                                           HintCase{"顶面", FaceHint::Top}, HintCase{"上视图", FaceHint::Top},
                                           HintCase{"Side", FaceHint::Side}, HintCase{"侧面", FaceHint::Side},
                                           HintCase{"0", FaceHint::None}, HintCase{"TOP+SIDE", FaceHint::None},
                                           HintCase{"OUTLINE", FaceHint::None}),
                         [](const auto& info) { return "Layer" + std::to_string(info.index); });

} // namespace
