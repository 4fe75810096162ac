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
// DWG drawings are read by node running LibreDWG as WebAssembly, started and
// confined by this program beside it; the node program and its package lie
// beside it too.
inline constexpr const char* kDwgReaderProgramName = "VarnholtDwgReader";
inline constexpr const char* kDwgReaderScriptName = "VarnholtDwgReader.mjs";
inline constexpr const char* kDwgPackagePath = "node_modules/@mlightcad/libredwg-web";

// Exit codes of the reader.
enum ReaderExit : int {
    kReaderDone = 0,        // the stream is complete
    kReaderUsage = 2,       // called with wrong arguments
    kReaderOutOfMemory = 3, // an allocation failed
    kReaderDamaged = 4,     // dxflib gave up with an error
    kReaderConfined = 5,    // its limits could not be set
    kReaderNoNode = 6,      // the DWG reader found no node to run
    kReaderNoPackage = 7,   // the DWG reader's program or package is not beside it
};

struct ReaderOptions {
    std::string program;                                // the reader program
    std::size_t memoryBytes = std::size_t(2048) << 20;  // address space it may take beyond its start
    int cpuSeconds = 60;                                // processor time it may use
    int wallSeconds = 120;                              // time it may take at all
};

// The DWG reader's memory is what node may fill; WebAssembly's alone starts
// at 1 GB.
inline constexpr std::size_t kDwgReaderMemoryBytes = std::size_t(3072) << 20;

// The reader program of that name beside the running program.
std::string readerBesideProgram(const char* name = kReaderProgramName);
// The DWG reader beside the running program, with its own limits.
ReaderOptions dwgReaderBesideProgram();

// Runs the reader on the text read from descriptor `text` and hands the
// records it sends, checked, to the sink, until the stream ends, the reader
// fails, progress is cancelled or `abandon` (asked between reads) says so.
// The text is not checked here: the reader alone stands between it and this
// process.
ParseResult runReader(const ReaderOptions& options, int text, DrawingSink& sink, ImportProgress& progress,
                      const std::function<bool()>& abandon = {});

// Parses the DXF drawing in a reader process, which stops at the EOF group,
// and checks the file here meanwhile; the records are checked as they arrive
// and handed to the sink. A binary DXF, or one with text values too long for
// dxflib, is checked first and handed over as the text it stands for (DxfSource.h).
// Whatever becomes of the reader ends with a reason; a failed file check or
// a cancel kills it at once.
ParseResult readInReaderProcess(const ReaderOptions& options, const DrawingFile& file, DrawingSink& sink,
                                ImportProgress& progress);

// Reads a DWG drawing in the DWG reader process, which is given the file as
// it is; the same holds for its records and its end.
ParseResult readDwgInReaderProcess(const ReaderOptions& options, const DrawingFile& file, DrawingSink& sink,
                                   ImportProgress& progress);

// Reads each drawing with the reader for its format.
DrawingParser readerProcessParser(ReaderOptions dxf, ReaderOptions dwg = dwgReaderBesideProgram());
