#pragma once

#include <kernel/position.h>

#include <vector>

// Plane geometry of closed outlines given as vertex lists (first vertex not
// repeated at the end). Only x and y are used.

struct Box {
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
    bool contains(const Box& inner) const
    {
        return inner.minX >= minX && inner.maxX <= maxX && inner.minY >= minY && inner.maxY <= maxY;
    }
    bool contains(double x, double y) const { return x >= minX && x <= maxX && y >= minY && y <= maxY; }
};

Box boundingBox(const std::vector<position>& pts);
// Signed area, positive for counter-clockwise outlines.
double signedArea(const std::vector<position>& pts);
// Centre of the enclosed area (the vertex mean for a degenerate outline).
position areaCentroid(const std::vector<position>& pts);
// Even-odd test; points on the boundary may fall either way.
bool pointInPolygon(const std::vector<position>& pts, double x, double y);
// Distance from (x, y) to the segment a-b.
double distanceToSegment(const position& a, const position& b, double x, double y);
// Drops consecutive vertices closer than `tolerance` and a last vertex that
// repeats the first.
void removeRepeatedVertices(std::vector<position>& pts, double tolerance);
// True for four corners of right angles, in any orientation, once vertices
// on straight runs are dropped.
bool isRectangle(const std::vector<position>& pts);
