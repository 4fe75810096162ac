#include "DwgDrawings.h"

#include <importer/CadImporter.h>
#include <importer/DrawingSink.h>
#include <importer/DrawingText.h>
#include <importer/ImportProgress.h>
#include <importer/MappedFile.h>

#include <gtest/gtest.h>

#include <importer/RecordStream.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

// The records the DWG reader's node program makes of a database with an
// entity of every kind it tells apart (dwg_records.mjs): those the DXF
// reader makes of the same entities, with DWG's closing bit of light-weight
// polylines, angles in degrees and an insert without an array placed once.
// Needs no DWG drawing.
TEST(DwgRecords, AreTheDxfReadersForEveryKind)
{
    const std::string command = "node '" VARNHOLT_SOURCE_DIR "/tests/importer/dwg_records.mjs' '" VARNHOLT_BINARY_DIR
                                "/app'";
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    ASSERT_TRUE(pipe);
    DrawingAssembler records;
    RecordStreamReader stream(records);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
        ASSERT_TRUE(stream.feed(std::string_view(buffer, n))) << static_cast<int>(stream.fault());
    ASSERT_TRUE(stream.ended());
    EXPECT_EQ(stream.outcome(), DxfParseOutcome::Read);
    const DxfDrawing& d = records.drawing;
    EXPECT_EQ(d.layers, (std::vector<std::string>{"H", "L\xC2\xD6", "0"})); // bytes as the file holds them
    ASSERT_EQ(d.blocks.size(), 1u);
    EXPECT_EQ(d.blocks.at("B").base.y, 2.0);
    EXPECT_EQ(d.blocks.at("B").entities.size(), 1u);

    ASSERT_EQ(d.entities.size(), 14u);
    auto shape = [&](std::size_t i) -> const Shape& { return d.entities[i].shape; };
    EXPECT_EQ(d.entities[0].thickness, 2.0);
    EXPECT_EQ(d.entities[0].layer, 1u);
    EXPECT_DOUBLE_EQ(std::get<ArcRecord>(shape(1)).endDeg, 90.0);
    EXPECT_TRUE(d.entities[2].mirrored);
    EXPECT_EQ(std::get<EllipseRecord>(shape(3)).ratio, 0.5);
    const auto& lw = std::get<PolylineRecord>(shape(4));
    EXPECT_TRUE(lw.closed);
    EXPECT_EQ(lw.vertices.size(), 3u);
    EXPECT_EQ(lw.vertices[0].bulge, 1.0);
    EXPECT_EQ(lw.elevation, 1.0);
    EXPECT_FALSE(std::get<PolylineRecord>(shape(5)).closed); // DWG's bit 1 is not "closed"
    EXPECT_TRUE(std::get<PolylineRecord>(shape(6)).closed);
    EXPECT_EQ(std::get<PolylineRecord>(shape(6)).vertices[0].bulge, 0.5);
    EXPECT_EQ(std::get<PolylineRecord>(shape(7)).vertices[0].bulge, 0.0); // a 3-D polyline has no arcs
    const auto& spline = *std::get<std::unique_ptr<SplineRecord>>(shape(8));
    EXPECT_TRUE(spline.closed);
    EXPECT_EQ(spline.degree, 2);
    EXPECT_EQ(spline.weights, (std::vector<double>{1.0, 0.5, 1.0}));
    const auto& insert = *std::get<std::unique_ptr<InsertRecord>>(shape(9));
    EXPECT_EQ(insert.block, "B");
    EXPECT_DOUBLE_EQ(insert.angleDeg, 90.0);
    EXPECT_EQ(insert.columns, 1);
    EXPECT_EQ(insert.rows, 1);
    EXPECT_EQ(insert.scaleX, 2.0);
    // The attribute, the text, the multi-line text and the dimension, at their texts.
    const double annotationX[] = {3, 7, 9, 6};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(std::get<AnnotationRecord>(shape(10 + i)).at.x, annotationX[i]);

    using R = SkipReason;
    const std::map<SkippedKind, std::size_t> skipped{
        {{R::Unsupported, "ATTRIB"}, 1}, {{R::Unsupported, "DIMENSION"}, 1}, {{R::Unsupported, "HATCH"}, 1},
        {{R::Unsupported, "MTEXT"}, 1},  {{R::Unsupported, "TEXT"}, 1},      {{R::Unsupported, "WIPEOUT"}, 1},
        {{R::PaperSpace, ""}, 1},        {{R::NotInPlane, ""}, 1},           {{R::BadCoordinates, ""}, 1}};
    EXPECT_EQ(d.skipped, skipped);
}

struct Holds {
    const char* file;
    const char* version;
    const char* codePage;
    std::optional<int> insunits;
    std::size_t outlines, circles, holes;
    ImportProblem problem; // of a hinge import
};

// Each version imports what the fixtures' README says it holds, with its
// version, code page and unit; the "example" drawing the same in all three.
TEST(DwgDrawings, ImportWhatTheyHold)
{
    SKIP_WITHOUT_DWG_FIXTURES();
    using P = ImportProblem;
    const Holds cases[] = {
        {"r11_entities-2d.dwg", "AC1009", "", std::nullopt, 0, 1, 0, P::NoClosedOutline},
        {"example_r14.dwg", "AC1014", "ANSI_1252", std::nullopt, 15, 8, 8, P::None},
        {"example_2004.dwg", "AC1018", "ANSI_1252", 4, 15, 8, 8, P::None},
        {"example_2018.dwg", "AC1032", "ANSI_1252", 4, 15, 8, 8, P::None},
        {"triple_circles.dwg", "AC1015", "ANSI_1251", 1, 0, 3, 0, P::NoClosedOutline},
        {"1arc.dwg", "AC1015", "ANSI_1251", 4, 0, 0, 0, P::NoClosedOutline},
        {"256_lwpolylines_7vertexes.dwg", "AC1015", "ANSI_1251", 1, 256, 0, 0, P::None},
        {"24127_circles_128_lines.dwg", "AC1015", "ANSI_1251", 1, 32, 24127, 445, P::None},
        {"r2000_Arc.dwg", "AC1015", "ANSI_1252", 1, 0, 0, 0, P::NoClosedOutline},
        {"r2000_Ellipse.dwg", "AC1015", "ANSI_1252", 1, 1, 0, 0, P::None},
        {"sample_2000.dwg", "AC1015", "ANSI_1252", 4, 2, 1, 0, P::None},
        {"gbk_2000.dwg", "AC1015", "ANSI_936", 4, 2, 1, 0, P::None},
        {"r2007_Spline.dwg", "AC1021", "ANSI_1252", 1, 1, 0, 0, P::None},
        // The closed rectangle lies on layer Border: a frame, and no part.
        {"r2010_gh209_1.dwg", "AC1024", "ANSI_1255", 6, 1, 3, 0, P::NoPart},
        {"r2013_gh109_1.dwg", "AC1027", "ANSI_936", 0, 0, 0, 0, P::NoClosedOutline},
        {"r2018_Polyline.dwg", "AC1032", "ANSI_1252", 1, 0, 0, 0, P::NoClosedOutline},
        {"r2018_Polygon.dwg", "AC1032", "ANSI_1252", 1, 1, 0, 0, P::None},
    };
    CadImporter importer{readerParser()};
    for (const Holds& c : cases) {
        SCOPED_TRACE(c.file);
        importer.import_hinges_from_cad_file(dwgFixture(c.file));
        const ImportReport& report = importer.report();
        EXPECT_EQ(report.failure.problem, c.problem) << report.failure;
        EXPECT_EQ(report.format, DrawingFormat::Dwg);
        EXPECT_EQ(report.version, c.version);
        EXPECT_EQ(report.codePage, c.codePage);
        ASSERT_TRUE(report.unit.has_value());
        EXPECT_EQ(report.unit->insunits, c.insunits);
        EXPECT_EQ(report.outlines, c.outlines);
        EXPECT_EQ(report.circles, c.circles);
        EXPECT_EQ(report.holes, c.holes);
        EXPECT_EQ(importer.get_hinges_model() != nullptr, c.problem == P::None);
    }
}

// Drawings of AutoCAD 2000 import as LibreDWG's own DXF of them does, read
// by dxflib: the same outlines, holes and model. (Its DXF of other versions
// loses what the DWG holds, the closing of splines, say.)
TEST(DwgDrawings, ImportAsTheirDxfTwins)
{
    SKIP_WITHOUT_DWG_FIXTURES();
    const char* files[] = {"sample_2000", "gbk_2000", "triple_circles", "1arc", "r2000_Arc", "r2000_Ellipse"};
    ScratchFolder folder;
    std::string command = "node --liftoff-only '" VARNHOLT_SOURCE_DIR "/tests/importer/dwg_to_dxf.mjs' '" VARNHOLT_BINARY_DIR
                          "/app/" + std::string(kDwgPackagePath) + "' '" + folder.path().string() + "'";
    for (const char* file : files)
        command += " '" + dwgFixture(std::string(file) + ".dwg") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const char* file : files) {
        SCOPED_TRACE(file);
        CadImporter dwg{readerParser()}, dxf{readerParser()};
        const int rc = dwg.import_hinges_from_cad_file(dwgFixture(std::string(file) + ".dwg"));
        EXPECT_EQ(rc, dxf.import_hinges_from_cad_file((folder.path() / (std::string(file) + ".dxf")).string()));
        const ImportReport &a = dwg.report(), &b = dxf.report();
        EXPECT_EQ(a.failure.problem, b.failure.problem);
        EXPECT_EQ(a.outlines, b.outlines);
        EXPECT_EQ(a.circles, b.circles);
        EXPECT_EQ(a.holes, b.holes);
        EXPECT_EQ(a.parts, b.parts);
        EXPECT_EQ(a.unit->code, b.unit->code);
        if (rc == 0) {
            const GK_Box x = loopBox(dwg.get_hinges_model()->GetLoopOut());
            const GK_Box y = loopBox(dxf.get_hinges_model()->GetLoopOut());
            EXPECT_NEAR(x.x0, y.x0, 1e-6);
            EXPECT_NEAR(x.y1, y.y1, 1e-6);
            // The DXF writes its numbers rounded.
            const double area = loopArea(dwg.get_hinges_model()->GetLoopOut());
            EXPECT_NEAR(area, loopArea(dxf.get_hinges_model()->GetLoopOut()), 1e-9 * area);
        }
    }
}

// The drawing with its layer and text in GBK gives the layer's name and the
// same sheet as its twin in the Western code page; the Chinese layer of an
// R2013 drawing, stored as UTF-16, comes through as well.
TEST(DwgDrawings, ChineseNamesComeThrough)
{
    SKIP_WITHOUT_DWG_FIXTURES();
    auto layerNames = [](const std::string& file) {
        CadImporter importer{readerParser()};
        importer.import_lockcore_from_cad_file(dwgFixture(file));
        std::vector<std::string> names;
        if (const ImportSheet* sheet = importer.sheet())
            for (const std::string& raw : sheet->geometry.layers)
                names.push_back(decodeDrawingText(raw, sheet->encoding));
        return std::pair(names, importer.report());
    };
    const auto [gbk, gbkReport] = layerNames("gbk_2000.dwg");
    const auto [western, westernReport] = layerNames("sample_2000.dwg");
    EXPECT_EQ(gbkReport.charset, "GBK");
    EXPECT_NE(std::find(gbk.begin(), gbk.end(), "轮廓图层"), gbk.end());
    EXPECT_NE(std::find(western.begin(), western.end(), "Tavolo 1"), western.end());
    EXPECT_EQ(gbkReport.outlines, westernReport.outlines);
    EXPECT_EQ(gbkReport.circles, westernReport.circles);

    // No closed outline, so the names are read from the records themselves.
    DrawingAssembler records;
    const MappedFile file(dwgFixture("r2013_gh109_1.dwg"));
    ImportProgress progress;
    ASSERT_FALSE(readDwgInReaderProcess(dwgReaderOptions(), DrawingFile{file.fd(), file.bytes()}, records, progress)
                     .failure);
    const auto& layers = records.drawing.layers;
    EXPECT_NE(std::find(layers.begin(), layers.end(), "洁具"), layers.end());
}

} // namespace
