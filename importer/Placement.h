#pragma once

#include <importer/DxfRecords.h>
#include <importer/ImportReport.h>

#include <cstddef>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

class ImportProgress;

// The drawing with blocks resolved and curves tessellated, in millimetres.

struct PlacedCircle {
    position centre;
    double radius = 0.0;
    double depth = 0.0;
    LayerId layer = 0;
    std::size_t order = 0; // drawing order
};

struct PlacedPath {
    std::size_t first = 0; // its points in PlacedDrawing::points
    std::size_t count = 0;
    bool closed = false; // a closed polyline or full ellipse; others are chained
    double depth = 0.0;
    LayerId layer = 0;
    std::size_t order = 0;
};

struct PlacedDrawing {
    std::vector<PlacedCircle> circles;
    std::vector<PlacedPath> paths;
    std::vector<position> points; // of all paths, one after the other
    std::vector<position> annotations; // where texts and dimensions stand

    std::span<const position> pointsOf(const PlacedPath& path) const { return {points.data() + path.first, path.count}; }
    std::map<SkippedKind, std::size_t> skipped; // entities left out, by reason
    std::vector<ImportNote> notes;              // block references that were not followed
    ImportFailure overflow;                     // the size limit that was reached, if one was
};

// Places model-space entities one by one, in drawing order, resolving block
// references (base point, scale and mirror, rotation, column and row arrays,
// nesting), scaling by `unitFactor` to millimetres and tessellating curves to
// `tolerance`. Each entity met and each copy of a block counts against a
// budget; past it, the result overflows and nothing more is placed.
class DrawingPlacer {
public:
    // The drawing's layers and blocks are looked at while entities are
    // placed: a block must be complete before an entity that refers to it.
    // Placing stops, overflowing as cancelled, soon after progress is.
    DrawingPlacer(const DxfDrawing& drawing, double unitFactor, double tolerance, const ImportProgress& progress);
    ~DrawingPlacer();
    DrawingPlacer(const DrawingPlacer&) = delete;
    DrawingPlacer& operator=(const DrawingPlacer&) = delete;

    void place(const EntityRecord& modelSpaceEntity);
    // What is placed so far.
    const PlacedDrawing& placed() const;
    PlacedDrawing finish();

private:
    class Placer;
    std::unique_ptr<Placer> m_placer;
};

// Places every model-space entity of the drawing.
PlacedDrawing placeDrawing(const DxfDrawing& drawing, double unitFactor, double tolerance,
                           const ImportProgress& progress);
