#pragma once

#include <string>

// How a parse of the drawing's text ended, in this process or in the reader
// process.
enum class DxfParseOutcome {
    Read,        // every record was handed on
    CannotOpen,  // the text could not be opened
    TooLarge,    // past an entity, vertex or block limit; records after it were left out
    OutOfMemory, // an allocation failed inside the parser
    Damaged,     // the parser gave up with an error
};

// Why no drawing came of an outcome other than Read. Chinese, UTF-8.
std::string parseFailureText(DxfParseOutcome outcome);
