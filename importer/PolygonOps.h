#pragma once

#include <kernel/GK_Geometry.h>
#include <kernel/position.h>

#include <vector>

// Plane geometry of closed outlines given as vertex lists (first vertex not
// repeated at the end). Only x and y are used.

GK_Box boundingBox(const std::vector<position>& pts);
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
