#pragma once

#include <importer/ImportReport.h>

// How a parse of the drawing's text ended, in this process or in the reader
// process.
enum class DxfParseOutcome {
    Read,        // every record was handed on
    CannotOpen,  // the text could not be opened
    // Past a limit; the records after it were left out:
    TooManyEntities,
    TooManyVertices,       // over the whole file
    TooManyEntityVertices, // in one entity
    TooManyBlocks,
    OutOfMemory, // an allocation failed inside the parser
    Damaged,     // the parser gave up with an error
};

// Why no drawing came of an outcome; none for Read.
ImportFailure parseFailure(DxfParseOutcome outcome);
