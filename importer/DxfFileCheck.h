#pragma once

#include <importer/ImportReport.h>

#include <string>

// A quick look at a file before it is parsed: is it something the DXF reader
// can be given safely? Recognises missing, empty, binary DXF, DWG, text that
// is no DXF, truncated files, and entities whose declared sizes would make the
// parser allocate without bound. No failure when the file may be parsed.
ImportFailure checkDxfFile(const std::string& path);
