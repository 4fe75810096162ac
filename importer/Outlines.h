#pragma once

#include <importer/Chaining.h>
#include <importer/ImportReport.h>
#include <importer/Placement.h>
#include <importer/PolygonOps.h>

#include <optional>
#include <vector>

// A closed outline of the drawing, first vertex not repeated.
struct Outline {
    std::vector<position> points;
    GK_Box box;
    double area = 0.0; // enclosed area, positive
    position centroid;
    double depth = 0.0;
    LayerId layer = 0;
    std::size_t order = 0;
};

// The closed outlines and circles a model is built from.
struct ImportGeometry {
    std::vector<Outline> outlines; // in drawing order
    std::vector<PlacedCircle> circles;
    std::vector<std::string> layers; // names of the layer ids, raw bytes
    std::vector<position> annotations; // where texts and dimensions stand
};

// Takes closed paths as outlines and chains the open ones; a chain that
// closes within the join tolerance is an outline, one whose gap is below the
// almost-closed limit is closed and reported, others are reported and left
// out. Counts outlines and circles into the report. `ends`, when given, holds
// the end points of the open paths of at least two points, in drawing order.
ImportGeometry collectOutlines(PlacedDrawing&& placed, std::vector<std::string> layers, ImportReport& report,
                               std::optional<EndpointIndex> ends = std::nullopt);
