#pragma once

#include <importer/Chaining.h>
#include <importer/DrawingSink.h>
#include <importer/Placement.h>

#include <memory>
#include <optional>

// Assembles the drawing and places its model-space entities as they arrive,
// so that placing (and indexing the ends of open paths for chaining)
// overlaps with parsing. Blocks come before the model space
// in a DXF file; a drawing that begins a block or names its unit after its
// first model-space entity is placed again as a whole at the end instead,
// with the same result.
class PlacingSink final : public DrawingSink {
public:
    // `join` is the tolerance within which path ends meet.
    PlacingSink(double tolerance, double join) : m_tolerance(tolerance), m_ends(join) {}

    void insunits(int code) override;
    void codePage(std::string value) override { m_assembler.codePage(std::move(value)); }
    void version(std::string value) override { m_assembler.version(std::move(value)); }
    void layer(std::string name) override { m_assembler.layer(std::move(name)); }
    void beginBlock(std::string name, const position& base) override;
    void endBlock() override;
    void entity(EntityRecord&& record) override;
    void skipped(const SkippedKind& kind) override { m_assembler.skipped(kind); }

    DxfDrawing& drawing() { return m_assembler.drawing; }
    // The placed drawing, scaled by the drawing's unit.
    PlacedDrawing finish();
    // The ends of its open paths, when they were indexed while placing.
    std::optional<EndpointIndex> takeEnds();

private:
    // What was placed no longer stands for the drawing.
    void abandonPlacing();

    DrawingAssembler m_assembler;
    double m_tolerance;
    std::unique_ptr<DrawingPlacer> m_placer; // from the first model-space entity on
    EndpointIndex m_ends;                    // of the open paths placed so far
    std::size_t m_pathsIndexed = 0;
    bool m_inBlock = false;
    bool m_abandoned = false;
};
