#pragma once

#include <importer/DrawingText.h>
#include <importer/ImportReport.h>
#include <importer/Outlines.h>

#include <cstddef>
#include <limits>
#include <vector>

class ImportProgress;

// How the closed outlines of a sheet divide into its frame, the parts drawn
// on it and what is neither, and how they nest.
struct SheetLayout {
    static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

    // Frame outlines and title blocks, by layer name or by shape, in drawing
    // order: never a hinge outline or a lock-core face.
    std::vector<std::size_t> frames;
    // Outlines that may be a hinge outline or a lock-core face, in drawing
    // order: neither frames nor on a layer of centre lines, dimensions,
    // hatches or texts.
    std::vector<std::size_t> candidates;
    // Candidates inside no other candidate: the parts on the sheet.
    std::vector<std::size_t> parts;

    // Per outline: the smallest outline that contains it, or kNone.
    std::vector<std::size_t> parent;
    std::vector<bool> isCandidate;
    // Per circle: the smallest outline that contains its centre, or kNone.
    std::vector<std::size_t> circleParent;
    // Per circle: it may be a hole (it lies on no frame or annotation layer).
    std::vector<bool> holeCircle;
    // Set when telling what nests in what cost more than the import's budget
    // or the import was cancelled: nothing else is then to be used.
    ImportFailure failure;

    // The outline itself or its nearest enclosing candidate, or kNone.
    std::size_t candidateAround(std::size_t outline) const;
    // The smallest candidate that contains the circle's centre, or kNone.
    std::size_t candidateAroundCircle(std::size_t circle) const;
};

// Sorts the outlines of the sheet. An outline is a frame when its layer's
// name says so, or when it is a rectangle with no hole of its own that holds
// text or dimensions and either holds another closed outline, or lies in a
// frame and touches its border or fills at least half of it (an inner
// border, a title block).
SheetLayout layOutSheet(const ImportGeometry& geometry, const TextEncoding& encoding, const ImportProgress& progress);
