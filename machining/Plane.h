#pragma once

#include <kernel/GK_Geometry.h>

#include <vector>

// Points and outlines in the plane a tool works in, in millimetres: the top
// face for the vertical spindles, the lock edge for the side head.
struct Point2 {
    double x = 0.0;
    double y = 0.0;

    friend bool operator==(const Point2&, const Point2&) = default;
};

// A closed outline; the edge from the last point back to the first closes it.
using Polygon2 = std::vector<Point2>;

double Distance(const Point2& a, const Point2& b);
// The point of the segment a–b nearest to p.
Point2 NearestOnSegment(const Point2& p, const Point2& a, const Point2& b);

// The box around the points; all zero for none.
GK_Box BoundsOf(const Polygon2& points);
