#pragma once

#include <importer/ImportReport.h>

#include <kernel/position.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

// The drawing as read from a DXF file, in the file's own coordinates and
// units, before blocks are resolved. Nothing here knows about dxflib.

struct LineRecord {
    position a, b;
};

struct ArcRecord {
    position centre;
    double radius = 0.0;
    double startDeg = 0.0; // counter-clockwise from start to end, not normalised
    double endDeg = 0.0;
};

struct CircleRecord {
    position centre; // z is the elevation
    double radius = 0.0;
};

struct PolyVertex {
    double x = 0.0, y = 0.0;
    double bulge = 0.0; // of the arc that starts at this vertex
};

struct PolylineRecord {
    std::vector<PolyVertex> vertices;
    bool closed = false;
    double elevation = 0.0;
};

struct EllipseRecord {
    position centre;
    double majorX = 0.0, majorY = 0.0; // end of the major axis, relative to the centre
    double ratio = 1.0;                // minor / major
    double startParam = 0.0;           // radians
    double endParam = 0.0;
};

struct SplineRecord {
    int degree = 3;
    bool closed = false;
    std::vector<double> knots;
    std::vector<double> weights;
    std::vector<position> control;
    std::vector<position> fit;
};

// Where a text or a dimension stands: no geometry, but it tells a sheet's
// frame from the parts drawn in it.
struct AnnotationRecord {
    position at;
};

struct InsertRecord {
    std::string block;
    position at;
    double scaleX = 1.0, scaleY = 1.0, scaleZ = 1.0;
    double angleDeg = 0.0;
    int columns = 1, rows = 1;
    double columnSpacing = 0.0, rowSpacing = 0.0;
};

// The larger, rarer records live on the heap, so that the common ones stay small.
using Shape = std::variant<LineRecord, ArcRecord, CircleRecord, PolylineRecord, EllipseRecord, AnnotationRecord,
                           std::unique_ptr<SplineRecord>, std::unique_ptr<InsertRecord>>;

// Index into DxfDrawing::layers.
using LayerId = std::uint32_t;

struct EntityRecord {
    Shape shape;
    LayerId layer = 0;
    double thickness = 0.0; // group 39
    // The entity's extrusion points down the z axis: its object coordinates
    // are the world's mirrored in x.
    bool mirrored = false;
};

// Records are kept in deques: they grow without moving what they hold.
using EntityList = std::deque<EntityRecord>;

struct BlockDefinition {
    position base;
    EntityList entities;
    std::map<SkippedKind, std::size_t> skipped; // entities left out while reading
};

struct DxfDrawing {
    std::vector<std::string> layers; // layer names as raw bytes, as met in the file
    std::optional<int> insunits;
    std::string codePage;   // $DWGCODEPAGE, e.g. "ANSI_936"
    std::string version;    // $ACADVER, e.g. "AC1015"
    EntityList entities; // model space, in file order
    std::unordered_map<std::string, BlockDefinition> blocks;
    std::map<SkippedKind, std::size_t> skipped; // entities left out while reading
};
