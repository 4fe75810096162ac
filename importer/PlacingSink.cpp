#include <importer/PlacingSink.h>

#include <importer/Units.h>

void PlacingSink::abandonPlacing()
{
    m_placer.reset();
    m_abandoned = true;
}

void PlacingSink::insunits(int code)
{
    m_assembler.insunits(code);
    if (m_placer)
        abandonPlacing();
}

void PlacingSink::beginBlock(std::string name, const position& base)
{
    m_assembler.beginBlock(std::move(name), base);
    m_inBlock = true;
    if (m_placer)
        abandonPlacing();
}

void PlacingSink::endBlock()
{
    m_assembler.endBlock();
    m_inBlock = false;
}

void PlacingSink::entity(EntityRecord&& record)
{
    m_assembler.entity(std::move(record));
    if (m_inBlock || m_abandoned)
        return;
    DxfDrawing& drawing = m_assembler.drawing;
    if (!m_placer)
        m_placer = std::make_unique<DrawingPlacer>(drawing, drawingUnit(drawing.insunits).millimetres, m_tolerance);
    m_placer->place(drawing.entities.back());
    const PlacedDrawing& placed = m_placer->placed();
    for (; m_pathsIndexed < placed.paths.size(); ++m_pathsIndexed) {
        const PlacedPath& path = placed.paths[m_pathsIndexed];
        if (!path.closed && path.count >= 2)
            m_ends.add(placed.points[path.first], placed.points[path.first + path.count - 1]);
    }
}

std::optional<EndpointIndex> PlacingSink::takeEnds()
{
    if (!m_placer)
        return std::nullopt;
    return std::move(m_ends);
}

PlacedDrawing PlacingSink::finish()
{
    const DxfDrawing& drawing = m_assembler.drawing;
    if (m_placer)
        return m_placer->finish();
    return placeDrawing(drawing, drawingUnit(drawing.insunits).millimetres, m_tolerance);
}
