#pragma once

#include <importer/DxfRecords.h>

#include <cstddef>
#include <vector>

// Turning curves into vertex chains whose distance from the true curve stays
// within a given chord error. Every function appends to `out`, returns false
// when the curve's data cannot describe a curve, and never produces more than
// import_limits::kMaxSegmentsPerCurve segments for one curve.

// Segments of an arc of the given radius and sweep (radians, any sign).
std::size_t arcSegmentCount(double radius, double sweep, double tolerance);

// The arc from angle `start` sweeping `sweep` radians (positive counter-
// clockwise), both end points included.
bool tessellateArc(const position& centre, double radius, double start, double sweep, double tolerance,
                   std::vector<position>& out);

// The vertices of a polyline with its bulge arcs; the closing segment of a
// closed polyline is included, ending on the first vertex again.
bool tessellatePolyline(const PolylineRecord& poly, double tolerance, std::vector<position>& out);

// An ellipse or elliptic arc; `reversed` runs the minor axis the other way
// round (an ellipse seen from below).
bool tessellateEllipse(const EllipseRecord& ellipse, bool reversed, double tolerance, std::vector<position>& out);

// A spline from its control points, knots and weights, or through its fit
// points when it has no control points.
bool tessellateSpline(const SplineRecord& spline, double tolerance, std::vector<position>& out);
