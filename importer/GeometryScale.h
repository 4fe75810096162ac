#pragma once

#include <importer/Outlines.h>

// Scales the sheet about the drawing's origin, as if it had been read with
// another unit: points, boxes, areas, radii and depths. False, with the sheet
// unchanged, when the factor is not positive and finite or a coordinate would
// pass the import's coordinate limit.
bool scaleGeometry(ImportGeometry& geometry, double factor);
