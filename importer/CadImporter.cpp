#include <importer/CadImporter.h>

#include <importer/DrawingText.h>
#include <importer/DxfFileCheck.h>
#include <importer/ImportLimits.h>
#include <importer/ImportProgress.h>
#include <importer/MappedFile.h>
#include <importer/ModelBuilder.h>
#include <importer/Outlines.h>
#include <importer/PlacingSink.h>
#include <importer/ReaderProcess.h>
#include <importer/Units.h>

#include <algorithm>
#include <exception>
#include <new>

namespace {

// Bytes after the end of the drawing that are more than blank lines (or the
// end-of-file mark of old systems).
std::size_t bytesAfterEnd(std::string_view rest)
{
    return static_cast<std::size_t>(std::count_if(rest.begin(), rest.end(), [](char c) {
        return c != '\n' && c != '\r' && c != ' ' && c != '\t' && c != '\x1a';
    }));
}

// Checks the file and parses it, placing the drawing as its records arrive;
// false with the reason in the report when no drawing came of it.
bool readDrawing(const DrawingParser& parse, const std::string& path, ImportProgress& progress, ImportReport& report,
                 PlacingSink& sink)
{
    report.failure = checkDxfPath(path);
    if (report.failure)
        return false;
    const MappedFile file(path);
    if (!file.isOpen()) {
        report.failure = {ImportProblem::CannotRead, file.error()};
        return false;
    }
    ParseResult parsed = parse(DrawingFile{file.fd(), file.bytes()}, sink, progress);
    if (parsed.failure) {
        report.failure = std::move(parsed.failure);
        return false;
    }
    if (const std::size_t after = bytesAfterEnd(file.bytes().substr(parsed.textLength)))
        report.notes.push_back(ImportNote{NoteKind::IgnoredAfterEof, after, {}});
    return true;
}

// Reads, places and chains the drawing; false with the reason in the report
// when nothing usable came out of the file.
bool readGeometry(const DrawingParser& parse, const std::string& path, ImportReport& report, ImportGeometry& geometry,
                  TextEncoding& encoding)
{
    ImportProgress progress;
    PlacingSink sink(import_tolerance::kChordError, import_tolerance::kJoin);
    if (!readDrawing(parse, path, progress, report, sink))
        return false;
    DxfDrawing& drawing = sink.drawing();
    report.unit = drawingUnit(drawing.insunits);
    encoding = drawingTextEncoding(drawing.codePage, drawing.version);
    report.codePage = drawing.codePage;
    report.charset = encoding.charset;
    report.skipped = drawing.skipped;

    PlacedDrawing placed = sink.finish();
    std::vector<std::string> layers = std::move(drawing.layers);
    drawing = {};
    for (const auto& [kind, count] : placed.skipped)
        report.skipped[kind] += count;
    report.notes.insert(report.notes.end(), placed.notes.begin(), placed.notes.end());
    if (placed.overflow) {
        report.failure = placed.overflow;
        return false;
    }
    geometry = collectOutlines(std::move(placed), std::move(layers), report, sink.takeEnds());
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
int importModel(const DrawingParser& parse, const std::string& path, ImportReport& report,
                std::unique_ptr<Model>& model, Build build)
{
    report = {};
    guarded(report, [&] {
        ImportGeometry geometry;
        TextEncoding encoding;
        if (readGeometry(parse, path, report, geometry, encoding))
            model = build(geometry, encoding);
    });
    if (report.failure)
        model.reset();
    return model ? 0 : 1;
}

} // namespace

CadImporter::CadImporter() : CadImporter(readerProcessParser({readerBesideProgram()})) {}

CadImporter::CadImporter(DrawingParser parser) : m_parse(std::move(parser)) {}

CadImporter::~CadImporter() = default;

int CadImporter::import_hinges_from_cad_file(const std::string& path)
{
    clear_all_model();
    return importModel(m_parse, path, m_report, m_hinges, [this](const ImportGeometry& geometry, const TextEncoding&) {
        return buildHinges(geometry, m_report);
    });
}

int CadImporter::import_lockcore_from_cad_file(const std::string& path)
{
    clear_all_model();
    return importModel(m_parse, path, m_report, m_lockCore, [this](const ImportGeometry& geometry, const TextEncoding& encoding) {
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
