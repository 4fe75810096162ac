#pragma once

#include <optional>
#include <string>

// The drawing unit named by $INSUNITS, in millimetres.
struct DrawingUnit {
    double millimetres = 1.0; // one drawing unit in millimetres
    std::string name;         // Chinese, UTF-8
    std::string source;       // where the unit came from, Chinese, UTF-8
};

// Unitless drawings, drawings without $INSUNITS and unknown codes are taken
// as millimetres; the source says which case applied.
DrawingUnit drawingUnit(std::optional<int> insunits);
