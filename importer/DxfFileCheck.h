#pragma once

#include <importer/ImportReport.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class ImportProgress;

// A quick look at a file before it is parsed: is it something the DXF parser
// can be given safely? Recognises missing and empty files, text that is no
// DXF, truncated files, lines and group codes dxflib would read differently
// from this check, and entities whose declared sizes would make the parser
// allocate without bound. It reads the groups as dxflib does: lines of at
// most 1023 bytes, group code 9 starting a new object like 0. A longer text
// or comment value is no fault: it is to be cut to what dxflib reads.
struct DxfFileCheck {
    ImportFailure failure;      // none when the file may be parsed
    std::size_t textLength = 0; // bytes up to the end of the EOF group: what the parser reads
    std::vector<std::size_t> cuts = {}; // where text values start that must be cut before dxflib reads them
};

// How the file stores its drawing, from its first bytes: DWG and binary DXF
// by their marks, anything else is taken for DXF text.
DrawingFormat drawingFormatOf(std::string_view bytes);

// The text up to `check.textLength` with the values at `check.cuts` cut to
// what dxflib reads in one line.
std::string cutLongValues(std::string_view text, const DxfFileCheck& check);

// The file at path exists, is a regular file and is neither empty nor too
// large. No failure when it may be opened.
ImportFailure checkDxfPath(const std::string& path);
// The file's bytes hold a DXF drawing that the parser may read. Stops early,
// with a failure, once `stop` is cancelled.
DxfFileCheck checkDxfText(std::string_view bytes, const ImportProgress* stop = nullptr);
