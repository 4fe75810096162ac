#pragma once

#include <importer/DrawingText.h>
#include <importer/ImportReport.h>
#include <importer/Outlines.h>
#include <importer/SheetLayout.h>

#include <kernel/GK_Hinges.h>
#include <kernel/GK_LockCore.h>

#include <cstddef>
#include <memory>
#include <optional>

class ImportProgress;

// The two outlines of a lock core, as indices of the sheet's outlines.
struct LockCoreFaces {
    std::size_t top = 0;
    std::size_t side = 0;
    auto operator<=>(const LockCoreFaces&) const = default;
};

// The hinge outline a drawing suggests: the largest candidate that directly
// holds at least one circle, else the largest candidate. None, with the
// reason in the report, when the sheet has no candidate.
std::optional<std::size_t> defaultHingeOutline(const ImportGeometry& geometry, const SheetLayout& layout,
                                               ImportReport& report);

// The lock-core faces a drawing suggests: the two largest candidates that do
// not contain each other, told apart by layer name when it says so, else the
// higher one is the top. The report notes which rule decided. None, with the
// reason, also when telling which outlines nest costs more than the import's
// budget or progress is cancelled.
std::optional<LockCoreFaces> defaultLockCoreFaces(const ImportGeometry& geometry, const SheetLayout& layout,
                                                  const TextEncoding& encoding, ImportReport& report,
                                                  const ImportProgress& progress);

// The hinge of the given outline, with the circles whose centres lie inside
// it as holes, in drawing order. Counts holes and what was left out.
//
// Both builders return null, with the reason in the report, when telling what
// lies inside costs more than the import's budget or progress is cancelled.
std::unique_ptr<GK_Hinges> buildHinges(const ImportGeometry& geometry, const SheetLayout& layout, std::size_t outline,
                                       ImportReport& report, const ImportProgress& progress);

// The lock core of the given faces, each with the circles and candidate
// outlines inside it as holes, in drawing order.
std::unique_ptr<GK_LockCore> buildLockCore(const ImportGeometry& geometry, const SheetLayout& layout,
                                           LockCoreFaces faces, ImportReport& report,
                                           const ImportProgress& progress);
