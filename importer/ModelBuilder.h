#pragma once

#include <importer/DrawingText.h>
#include <importer/ImportReport.h>
#include <importer/Outlines.h>

#include <kernel/GK_Hinges.h>
#include <kernel/GK_LockCore.h>

#include <memory>

class ImportProgress;

// The hinge: the outline of largest area, with the circles whose centres lie
// inside it as holes, in drawing order. Null, with the reason in the report,
// when the drawing has no closed outline, when telling what lies inside
// costs more than the import's budget, or when progress is cancelled.
std::unique_ptr<GK_Hinges> buildHinges(const ImportGeometry& geometry, ImportReport& report,
                                       const ImportProgress& progress);

// The lock core: the two largest outlines that do not contain each other as
// top and side (by layer name when it says so, else the higher one is the
// top), each with the circles and outlines inside it as holes.
std::unique_ptr<GK_LockCore> buildLockCore(const ImportGeometry& geometry, const TextEncoding& encoding,
                                           ImportReport& report, const ImportProgress& progress);
