#include <importer/CadImporter.h>

#include <importer/DrawingText.h>
#include <importer/DxfReader.h>
#include <importer/ImportLimits.h>
#include <importer/ModelBuilder.h>
#include <importer/Outlines.h>
#include <importer/Placement.h>
#include <importer/Units.h>

#include <exception>
#include <new>

namespace {

// Reads, places and chains the drawing; false with the reason in the report
// when nothing usable came out of the file.
bool readGeometry(const std::string& path, ImportReport& report, ImportGeometry& geometry, TextEncoding& encoding)
{
    DxfReadResult read = readDxfDrawing(path);
    if (read.failure) {
        report.failure = std::move(read.failure);
        return false;
    }
    const DrawingUnit unit = drawingUnit(read.drawing.insunits);
    report.unit = unit;
    encoding = drawingTextEncoding(read.drawing.codePage, read.drawing.version);
    report.codePage = read.drawing.codePage;
    report.charset = encoding.charset;
    report.skipped = read.drawing.skipped;

    PlacedDrawing placed = placeDrawing(read.drawing, unit.millimetres, import_tolerance::kChordError);
    std::vector<std::string> layers = std::move(read.drawing.layers);
    read = {};
    for (const auto& [kind, count] : placed.skipped)
        report.skipped[kind] += count;
    report.notes.insert(report.notes.end(), placed.notes.begin(), placed.notes.end());
    if (placed.overflow) {
        report.failure = {ImportProblem::TooManyPlaced};
        return false;
    }
    geometry = collectOutlines(std::move(placed), std::move(layers), report);
    return true;
}

// Runs one import step, turning any escaping failure into a reason.
template <typename Step>
void guarded(ImportReport& report, Step step)
{
    try {
        step();
    } catch (const std::bad_alloc&) {
        report.failure = {ImportProblem::OutOfMemory};
    } catch (const std::exception&) {
        report.failure = {ImportProblem::InternalError};
    }
}

// Reads the drawing at path into a fresh report and lets build make the
// model from its geometry. A failure at any step leaves no model. 0 when a
// model was made, 1 otherwise.
template <typename Model, typename Build>
int importModel(const std::string& path, ImportReport& report, std::unique_ptr<Model>& model, Build build)
{
    report = {};
    guarded(report, [&] {
        ImportGeometry geometry;
        TextEncoding encoding;
        if (readGeometry(path, report, geometry, encoding))
            model = build(geometry, encoding);
    });
    if (report.failure)
        model.reset();
    return model ? 0 : 1;
}

} // namespace

CadImporter::CadImporter() = default;
CadImporter::~CadImporter() = default;

int CadImporter::import_hinges_from_cad_file(const std::string& path)
{
    clear_all_model();
    return importModel(path, m_report, m_hinges, [this](const ImportGeometry& geometry, const TextEncoding&) {
        return buildHinges(geometry, m_report);
    });
}

int CadImporter::import_lockcore_from_cad_file(const std::string& path)
{
    clear_all_model();
    return importModel(path, m_report, m_lockCore, [this](const ImportGeometry& geometry, const TextEncoding& encoding) {
        return buildLockCore(geometry, encoding, m_report);
    });
}

GK_Hinges* CadImporter::get_hinges_model() const
{
    return m_hinges.get();
}

GK_LockCore* CadImporter::get_lockcore_model() const
{
    return m_lockCore.get();
}

void CadImporter::clear_all_model()
{
    m_hinges.reset();
    m_lockCore.reset();
}

const ImportReport& CadImporter::report() const
{
    return m_report;
}
