#pragma once

#include <importer/ImportReport.h>

#include <cstddef>
#include <string>
#include <string_view>

class ImportProgress;

// A binary DXF ("AutoCAD Binary DXF", R12 to R2018) written out as the DXF
// text of the same groups, which dxflib reads (it passes over binary files
// without a word). Strings keep their bytes, line ends in them turned into
// blanks; numbers are written so that they read back exactly; binary chunks
// as hexadecimal digits.
struct BinaryDxfText {
    ImportFailure failure;    // none when the groups up to EOF were read
    std::string text = {};    // up to and including the EOF group
    std::size_t consumed = 0; // bytes of the file up to the end of its EOF group
};

bool isBinaryDxf(std::string_view bytes);

// The text of the binary DXF `bytes`; stops early, with a failure, once
// `stop` is cancelled, and refuses a text past the import's file size.
BinaryDxfText binaryDxfToText(std::string_view bytes, const ImportProgress* stop = nullptr);
