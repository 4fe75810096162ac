#pragma once

#include <importer/DrawingParser.h>

#include <cstddef>
#include <functional>
#include <string>

// Drawings are parsed by dxflib in a process of its own, the reader, so that
// nothing dxflib does with a damaged or hostile file (a crash, heap
// corruption, unbounded memory or time) reaches this program. The reader
// gets the drawing's text on its standard input and sends its records back
// on its standard output (RecordStream.h).

inline constexpr const char* kReaderProgramName = "VarnholtDxfReader";

// Exit codes of the reader.
enum ReaderExit : int {
    kReaderDone = 0,        // the stream is complete
    kReaderUsage = 2,       // called with wrong arguments
    kReaderOutOfMemory = 3, // an allocation failed
    kReaderDamaged = 4,     // dxflib gave up with an error
    kReaderConfined = 5,    // its limits could not be set
};

struct ReaderOptions {
    std::string program;                                // the reader program
    std::size_t memoryBytes = std::size_t(2048) << 20;  // address space it may take beyond its start
    int cpuSeconds = 60;                                // processor time it may use
    int wallSeconds = 120;                              // time it may take at all
};

// The reader program beside the running program.
std::string readerBesideProgram();

// Runs the reader on the text read from descriptor `text` and hands the
// records it sends, checked, to the sink, until the stream ends, the reader
// fails, progress is cancelled or `abandon` (asked between reads) says so.
// The text is not checked here: the reader alone stands between it and this
// process.
ParseResult runReader(const ReaderOptions& options, int text, DrawingSink& sink, ImportProgress& progress,
                      const std::function<bool()>& abandon = {});

// Parses the drawing in a reader process, which stops at the EOF group, and
// checks the file here meanwhile; the records are checked as they arrive and
// handed to the sink. Whatever becomes of the reader ends with a reason; a
// failed file check or a cancel kills it at once.
ParseResult readInReaderProcess(const ReaderOptions& options, const DrawingFile& file, DrawingSink& sink,
                                ImportProgress& progress);

DrawingParser readerProcessParser(ReaderOptions options);
