#pragma once

#include <importer/ImportReport.h>
#include <importer/UniqueFd.h>

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

class DrawingSink;
class ImportProgress;

// A drawing file opened for the import: its descriptor and its bytes.
struct DrawingFile {
    int fd = -1;
    std::string_view bytes;
};

struct ParseResult {
    ImportFailure failure;      // none when every record was handed on
    std::size_t textLength = 0; // bytes up to the end of the EOF group; what follows is never parsed
    std::vector<ImportNote> notes = {}; // on what the parse left out
};

// Checks a drawing file and turns it into records handed to the sink; stops
// soon after progress is cancelled, with a failure.
using DrawingParser = std::function<ParseResult(const DrawingFile&, DrawingSink&, ImportProgress&)>;

// A descriptor from which exactly the first `length` bytes of the file read
// from its start: the file itself when that is all of it, otherwise a copy in
// memory. Invalid when neither could be made.
UniqueFd openDrawingText(const DrawingFile& file, std::size_t length);
// A descriptor that reads `text` from a copy in memory; invalid when it
// could not be made.
UniqueFd textInMemory(std::string_view text);
