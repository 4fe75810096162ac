#pragma once

#include "DrawingText.h"
#include "ImportReport.h"
#include "Outlines.h"

#include <GK_Hinges.h>
#include <GK_LockCore.h>

#include <memory>

// The hinge: the outline of largest area, with the circles whose centres lie
// inside it as holes, in drawing order. Null, with the reason in the report,
// when the drawing has no closed outline.
std::unique_ptr<GK_Hinges> buildHinges(const ImportGeometry& geometry, ImportReport& report);

// The lock core: the two largest outlines that do not contain each other as
// top and side (by layer name when it says so, else the higher one is the
// top), each with the circles and outlines inside it as holes.
std::unique_ptr<GK_LockCore> buildLockCore(const ImportGeometry& geometry, const TextEncoding& encoding,
                                           ImportReport& report);
