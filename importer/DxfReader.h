#pragma once

#include <importer/DxfRecords.h>

#include <string>

struct DxfReadResult {
    DxfDrawing drawing;
    std::string failure; // Chinese, UTF-8; empty when the drawing was read
};

// Checks and parses a DXF file into our own records.
DxfReadResult readDxfDrawing(const std::string& path);
