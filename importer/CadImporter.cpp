#include "CadImporter.h"

#include "DrawingText.h"
#include "DxfReader.h"
#include "ImportLimits.h"
#include "ModelBuilder.h"
#include "Outlines.h"
#include "Placement.h"
#include "Units.h"

#include <exception>
#include <new>

namespace {

// Reads, places and chains the drawing; false with the reason in the report
// when nothing usable came out of the file.
bool readGeometry(const std::string& path, ImportReport& report, ImportGeometry& geometry, TextEncoding& encoding)
{
    DxfReadResult read = readDxfDrawing(path);
    if (!read.failure.empty()) {
        report.failure = std::move(read.failure);
        return false;
    }
    const DrawingUnit unit = drawingUnit(read.drawing.insunits);
    report.unit = unit.name;
    report.unitSource = unit.source;
    report.unitFactor = unit.millimetres;
    encoding = drawingTextEncoding(read.drawing.codePage, read.drawing.version);
    report.codePage = encoding.description;
    report.skipped = read.drawing.skipped;

    PlacedDrawing placed = placeDrawing(read.drawing, unit.millimetres, import_tolerance::kChordError);
    read = {};
    for (const auto& [kind, count] : placed.skipped)
        report.skipped[kind] += count;
    report.notes.insert(report.notes.end(), placed.notes.begin(), placed.notes.end());
    if (placed.overflow) {
        report.failure = "图纸展开后的图元或顶点过多，超出导入上限";
        return false;
    }
    geometry = collectOutlines(std::move(placed), report);
    return true;
}

// Runs one import step, turning any escaping failure into a reason.
template <typename Step>
void guarded(ImportReport& report, Step step)
{
    try {
        step();
    } catch (const std::bad_alloc&) {
        report.failure = "内存不足，无法导入该图纸";
    } catch (const std::exception&) {
        report.failure = "导入时出现内部错误";
    }
}

} // namespace

CadImporter::CadImporter() = default;
CadImporter::~CadImporter() = default;

int CadImporter::import_hinges_from_cad_file(const std::string& path)
{
    clear_all_model();
    m_report = {};
    guarded(m_report, [&] {
        ImportGeometry geometry;
        TextEncoding encoding;
        if (readGeometry(path, m_report, geometry, encoding))
            m_hinges = buildHinges(geometry, m_report);
    });
    if (!m_report.failure.empty())
        m_hinges.reset();
    return m_hinges ? 0 : 1;
}

int CadImporter::import_lockcore_from_cad_file(const std::string& path)
{
    clear_all_model();
    m_report = {};
    guarded(m_report, [&] {
        ImportGeometry geometry;
        TextEncoding encoding;
        if (readGeometry(path, m_report, geometry, encoding))
            m_lockCore = buildLockCore(geometry, encoding, m_report);
    });
    if (!m_report.failure.empty())
        m_lockCore.reset();
    return m_lockCore ? 0 : 1;
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
