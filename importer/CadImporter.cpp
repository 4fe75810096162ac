#include <importer/CadImporter.h>

#include <importer/DrawingText.h>
#include <importer/DxfFileCheck.h>
#include <importer/GeometryScale.h>
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
    report.format = drawingFormatOf(file.bytes());
    ParseResult parsed = parse(DrawingFile{file.fd(), file.bytes()}, sink, progress);
    if (parsed.failure) {
        report.failure = std::move(parsed.failure);
        return false;
    }
    report.notes = std::move(parsed.notes);
    if (const std::size_t after = bytesAfterEnd(file.bytes().substr(parsed.textLength)))
        report.notes.push_back(ImportNote{NoteKind::IgnoredAfterEof, after, {}});
    return true;
}

// Reads, places and chains the drawing; false with the reason in the report
// when nothing usable came out of the file.
bool readGeometry(const DrawingParser& parse, const std::string& path, ImportProgress& progress, ImportReport& report,
                  ImportGeometry& geometry, TextEncoding& encoding)
{
    progress.enter(ImportStage::Reading);
    PlacingSink sink(import_tolerance::kChordError, import_tolerance::kJoin, progress);
    if (!readDrawing(parse, path, progress, report, sink))
        return false;
    DxfDrawing& drawing = sink.drawing();
    report.unit = drawingUnit(drawing.insunits);
    encoding = drawingTextEncoding(drawing.codePage, drawing.version);
    report.codePage = drawing.codePage;
    report.version = drawing.version;
    report.charset = encoding.charset;
    report.skipped = drawing.skipped;

    progress.enter(ImportStage::Placing);
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
    progress.enter(ImportStage::Outlines);
    geometry = collectOutlines(std::move(placed), std::move(layers), report, sink.takeEnds());
    return !progress.cancelled();
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

// Reads the drawing at path and sorts its outlines into frames and parts;
// null with the reason in the report when nothing usable came out of it.
std::unique_ptr<ImportSheet> readSheet(const DrawingParser& parse, const std::string& path, ImportProgress& progress,
                                       ImportReport& report)
{
    auto sheet = std::make_unique<ImportSheet>();
    if (!readGeometry(parse, path, progress, report, sheet->geometry, sheet->encoding))
        return nullptr;
    progress.enter(ImportStage::Model);
    sheet->layout = layOutSheet(sheet->geometry, sheet->encoding, progress);
    if (sheet->layout.failure) {
        report.failure = sheet->layout.failure;
        return nullptr;
    }
    report.frames = sheet->layout.frames.size();
    report.parts = sheet->layout.parts.size();
    return sheet;
}

} // namespace

CadImporter::CadImporter() : CadImporter(readerProcessParser({readerBesideProgram()})) {}

CadImporter::CadImporter(DrawingParser parser) : m_parse(std::move(parser)) {}

CadImporter::~CadImporter() = default;

int CadImporter::import_hinges_from_cad_file(const std::string& path)
{
    ImportProgress progress;
    return import_hinges_from_cad_file(path, progress);
}

int CadImporter::import_lockcore_from_cad_file(const std::string& path)
{
    ImportProgress progress;
    return import_lockcore_from_cad_file(path, progress);
}

int CadImporter::import_hinges_from_cad_file(const std::string& path, ImportProgress& progress)
{
    clear_all_model();
    m_report = {};
    guarded(m_report, [&] {
        m_sheet = readSheet(m_parse, path, progress, m_report);
        if (!m_sheet)
            return;
        m_sheetReport = m_report;
        if (const auto outline = defaultHingeOutline(m_sheet->geometry, m_sheet->layout, m_report)) {
            m_hingesOutline = *outline;
            m_hinges = buildHinges(m_sheet->geometry, m_sheet->layout, *outline, m_report, progress);
        }
    });
    return finishImport(progress, m_hinges != nullptr);
}

int CadImporter::import_lockcore_from_cad_file(const std::string& path, ImportProgress& progress)
{
    clear_all_model();
    m_report = {};
    guarded(m_report, [&] {
        m_sheet = readSheet(m_parse, path, progress, m_report);
        if (!m_sheet)
            return;
        m_sheetReport = m_report;
        if (const auto faces =
                defaultLockCoreFaces(m_sheet->geometry, m_sheet->layout, m_sheet->encoding, m_report, progress)) {
            m_faces = *faces;
            m_lockCore = buildLockCore(m_sheet->geometry, m_sheet->layout, *faces, m_report, progress);
        }
    });
    return finishImport(progress, m_lockCore != nullptr);
}

int CadImporter::finishImport(const ImportProgress& progress, bool made)
{
    if (progress.cancelled())
        m_report.failure = {ImportProblem::Cancelled};
    if (m_report.failure || !made) {
        clear_all_model();
        return 1;
    }
    return 0;
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
    m_sheet.reset();
}

const ImportReport& CadImporter::report() const
{
    return m_report;
}

const ImportSheet* CadImporter::sheet() const
{
    return m_sheet.get();
}

std::optional<std::size_t> CadImporter::hingesOutline() const
{
    return m_hinges ? std::optional(m_hingesOutline) : std::nullopt;
}

std::optional<LockCoreFaces> CadImporter::lockCoreFaces() const
{
    return m_lockCore ? std::optional(m_faces) : std::nullopt;
}

bool CadImporter::isCandidate(std::size_t outline) const
{
    return m_sheet && outline < m_sheet->layout.isCandidate.size() && m_sheet->layout.isCandidate[outline];
}

bool CadImporter::chooseHingesOutline(std::size_t outline)
{
    if (!m_hinges || !isCandidate(outline))
        return false;
    const std::size_t before = m_hingesOutline;
    m_hingesOutline = outline;
    if (!rebuild())
        return true;
    m_hingesOutline = before;
    return false;
}

bool CadImporter::chooseLockCoreFaces(LockCoreFaces faces)
{
    if (!m_lockCore || faces.top == faces.side || !isCandidate(faces.top) || !isCandidate(faces.side))
        return false;
    const LockCoreFaces before = m_faces;
    m_faces = faces;
    if (!rebuild())
        return true;
    m_faces = before;
    return false;
}

ImportFailure CadImporter::chooseUnit(int code)
{
    std::optional<DrawingUnit> unit = unitOfCode(code);
    if ((!m_hinges && !m_lockCore) || !m_sheetReport.unit || !unit)
        return {ImportProblem::InternalError};
    const DrawingUnit before = *m_sheetReport.unit;
    if (unit->code == before.code)
        return {};
    ImportGeometry unscaled = m_sheet->geometry;
    if (!scaleGeometry(m_sheet->geometry, unit->millimetres / before.millimetres)) {
        m_sheet->geometry = std::move(unscaled);
        return {ImportProblem::UnitPastLimit, code, 0, {}, static_cast<std::size_t>(import_limits::kMaxCoordinate)};
    }
    unit->insunits = before.insunits;
    unit->chosen = true;
    m_sheetReport.unit = unit;
    const ImportFailure rebuilt = rebuild();
    if (rebuilt) {
        m_sheet->geometry = std::move(unscaled);
        m_sheetReport.unit = before;
    }
    return rebuilt;
}

ImportFailure CadImporter::rebuild()
{
    // Asked for by the user while naming the model: bounded by the budget, not
    // cancelled.
    const ImportProgress progress;
    ImportReport report = m_sheetReport;
    if (m_hinges) {
        auto hinges = buildHinges(m_sheet->geometry, m_sheet->layout, m_hingesOutline, report, progress);
        if (!hinges)
            return report.failure ? report.failure : ImportFailure{ImportProblem::InternalError};
        m_hinges = std::move(hinges);
    } else {
        auto lockCore = buildLockCore(m_sheet->geometry, m_sheet->layout, m_faces, report, progress);
        if (!lockCore)
            return report.failure ? report.failure : ImportFailure{ImportProblem::InternalError};
        m_lockCore = std::move(lockCore);
    }
    m_report = std::move(report);
    return {};
}
