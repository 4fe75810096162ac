#pragma once

#include <kernel/GK_Shape.h>

// A shape as painted at one zoom: each long polyline keeps its first and
// last vertices and as few between as leave every vertex within `tolerance`
// (model millimetres) of the line painted. A hundred thousand vertices of an imported outline that fall
// on a few hundred pixels are painted as a few thousand. Short polylines,
// and those that would lose little, are shared with the shape as they are.
GK_Shape GK_ThinShape(const GK_Shape& shape, double tolerance);
