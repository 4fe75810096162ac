#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

// A chain of open pieces that did not close within the join tolerance.
struct OpenChain {
    double gap = 0.0;          // distance between its two ends, millimetres
    double startX = 0.0, startY = 0.0;
    double endX = 0.0, endY = 0.0;
    std::size_t pieces = 0;    // number of pieces in the chain
    bool closedAnyway = false; // gap below the almost-closed limit: used as an outline
};

// What one import found and did. Texts are Chinese, UTF-8.
struct ImportReport {
    std::string unit;          // name of the drawing unit, e.g. "英寸"
    std::string unitSource;    // where the unit came from, e.g. "$INSUNITS = 1"
    double unitFactor = 1.0;   // millimetres per drawing unit
    std::string codePage;      // code page used for layer names

    std::size_t outlines = 0;          // closed outlines found in the drawing
    std::size_t circles = 0;           // circles found in the drawing
    std::size_t holes = 0;             // holes put into the model
    std::size_t leftInside = 0;        // items inside the model's outline that were not imported
    std::map<std::string, std::size_t> skipped; // skipped entities by kind
    std::vector<OpenChain> openChains;  // chains that did not close exactly
    std::vector<std::string> notes;     // further remarks, one sentence each

    std::string failure;          // why no model came out; empty when one did. Chinese, UTF-8.

    std::size_t skippedTotal() const;
    // One line for the status bar, Chinese, UTF-8.
    std::string summary() const;
};
