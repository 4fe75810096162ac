#pragma once

#include <importer/ParseOutcome.h>

#include <string>

class DrawingSink;

// Called while the parser that failed still exists. dxflib can fail after it
// freed an array and before it replaced it, and its destructor then frees
// that array again: a caller that is a process of its own ends there.
using DxfParseFailureHandler = void (*)(DxfParseOutcome);

// Whether the parse ends at the drawing's EOF group. dxflib reads on to the
// end of the file; only a process of its own can stop it there, as the
// unwinding leaves dxflib's file open.
enum class DxfEnd { FileEnd, EofGroup };

// Parses the DXF text at path with dxflib and hands its records to sink, in
// file order. Only the entity kinds the importer uses are kept; the others
// are counted as skipped.
DxfParseOutcome parseDxf(const std::string& path, DrawingSink& sink, DxfEnd end = DxfEnd::FileEnd,
                         DxfParseFailureHandler onFailure = nullptr);
