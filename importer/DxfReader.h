#pragma once

#include <importer/DxfRecords.h>
#include <importer/ImportReport.h>

#include <string>

struct DxfReadResult {
    DxfDrawing drawing;
    ImportFailure failure; // none when the drawing was read
};

// Checks and parses a DXF file into our own records.
DxfReadResult readDxfDrawing(const std::string& path);
