#pragma once

#include <importer/ImportReport.h>

#include <optional>

// The unit named by $INSUNITS. Unitless drawings, drawings without $INSUNITS
// and unknown codes are taken as millimetres.
DrawingUnit drawingUnit(std::optional<int> insunits);

// The unit of $INSUNITS code 1 to 24; none for unitless or unknown codes.
std::optional<DrawingUnit> unitOfCode(int code);
