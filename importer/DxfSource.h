#pragma once

#include <importer/DrawingParser.h>
#include <importer/ImportReport.h>

#include <cstddef>
#include <string>
#include <string_view>

class ImportProgress;

// The DXF text dxflib is to read, checked (DxfFileCheck.h): the file's own
// first bytes, or a copy made here when the file is binary DXF or holds text
// values longer than dxflib reads in one line, which are cut.
struct DxfSource {
    ImportFailure failure;      // none when the text may be parsed
    std::string copy;           // the text, when it is not the file's own
    bool copied = false;
    std::size_t textLength = 0; // bytes of the file read, up to the end of its EOF group
    std::vector<ImportNote> notes;
};

// Whether the text holds a line longer than dxflib reads in one piece: such
// a file is checked before it is parsed, as its text may need cutting.
bool hasLongLine(std::string_view text);

// Checks the file and makes the copy it needs; stops early, with a failure,
// once `stop` is cancelled.
DxfSource checkDxfSource(std::string_view bytes, const ImportProgress* stop = nullptr);

// A descriptor that reads the checked text from its start; invalid when it
// could not be made.
UniqueFd openDxfSource(const DrawingFile& file, const DxfSource& source);
