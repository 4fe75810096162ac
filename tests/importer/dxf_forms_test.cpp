#include "GeneratedDrawings.h"
#include "TestDrawings.h"

#include <importer/CadImporter.h>
#include <importer/InProcessParser.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

// What a hinge import made of a drawing, to set two imports side by side.
struct Imported {
    int rc = 0;
    std::size_t outlines = 0, circles = 0, holes = 0, skipped = 0;
    double width = 0.0, height = 0.0;
    ImportProblem problem = ImportProblem::None;
};

Imported importHinge(const DrawingParser& parser, const std::string& path)
{
    CadImporter importer{parser};
    Imported out;
    out.rc = importer.import_hinges_from_cad_file(path);
    const ImportReport& report = importer.report();
    out.outlines = report.outlines;
    out.circles = report.circles;
    out.holes = report.holes;
    out.skipped = report.skippedTotal();
    out.problem = report.failure.problem;
    if (const GK_Hinges* hinges = importer.get_hinges_model()) {
        const GK_Box box = loopBox(hinges->GetLoopOut());
        out.width = box.width();
        out.height = box.height();
    }
    return out;
}

void expectSame(const Imported& a, const Imported& b)
{
    EXPECT_EQ(a.rc, b.rc);
    EXPECT_EQ(a.problem, b.problem);
    EXPECT_EQ(a.outlines, b.outlines);
    EXPECT_EQ(a.circles, b.circles);
    EXPECT_EQ(a.holes, b.holes);
    EXPECT_EQ(a.skipped, b.skipped);
    EXPECT_NEAR(a.width, b.width, 1e-9);
    EXPECT_NEAR(a.height, b.height, 1e-9);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A binary DXF in either form of group codes imports as its text twin
// does, through the reader process and in this process alike; cut short it
// ends with a reason.
TEST(BinaryDxf, ImportsAsItsTextTwin)
{
    ScratchFolder folder;
    for (const char* version : {"r12", "r2000"}) {
        SCOPED_TRACE(version);
        const std::string text = testDrawing(std::string("producers/hinge_") + version + ".dxf");
        const std::string binary = testDrawing(std::string("producers/hinge_") + version + "_binary.dxf");
        const Imported twin = importHinge(readerParser(), text);
        ASSERT_EQ(twin.rc, 0);
        EXPECT_EQ(twin.holes, 1u);
        expectSame(importHinge(readerParser(), binary), twin);
        expectSame(importHinge(inProcessParser(), binary), twin);

        const std::string bytes = readFile(binary);
        for (const std::size_t length : {bytes.size() / 3, bytes.size() - 5}) {
            const Imported cut = importHinge(readerParser(), folder.write("cut.dxf", bytes.substr(0, length)));
            EXPECT_TRUE(cut.problem == ImportProblem::BinaryDxfDamaged || cut.problem == ImportProblem::MissingEof)
                << static_cast<int>(cut.problem);
        }
    }
}

// A text or comment line longer than dxflib reads is cut, and the report
// says so; the drawing imports as it would without it.
TEST(LongTextLine, IsCutWithANote)
{
    ScratchFolder folder;
    DxfText dxf;
    dxf.beginEntities().square(0, 0, 60).circle(30, 30, 5);
    dxf.group(0, "MTEXT").group(8, "0").group(10, 5.0).group(20, 5.0).group(3, std::string(1500, 'a'));
    dxf.group(1, std::string(3000, 'b')).group(999, std::string(2500, 'c'));
    const std::string path = folder.write("long_text.dxf", dxf.endOfFile().text);
    for (const DrawingParser& parser : {readerParser(), inProcessParser()}) {
        CadImporter importer{parser};
        ASSERT_EQ(importer.import_hinges_from_cad_file(path), 0) << importer.report().failure;
        EXPECT_EQ(importer.report().holes, 1u);
        const auto& notes = importer.report().notes;
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_EQ(notes[0].kind, NoteKind::TextCut);
        EXPECT_EQ(notes[0].count, 3u);
    }
}

} // namespace
