#pragma once

#include <string>

// A quick look at a file before it is parsed: is it something the DXF reader
// can be given safely? Recognises missing, empty, binary DXF, DWG, text that
// is no DXF, truncated files, and entities whose declared sizes would make the
// parser allocate without bound.
struct DxfFileCheck {
    bool ok = false;
    std::string failure; // Chinese, UTF-8; empty when ok
};

DxfFileCheck checkDxfFile(const std::string& path);
