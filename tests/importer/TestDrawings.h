#pragma once

#include <importer/ImportReport.h>
#include <importer/PolygonOps.h>
#include <importer/ReaderProcess.h>

#include <kernel/GU_Loop.h>
#include <kernel/position.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

// Lets a failed expectation show why the import failed.
inline std::ostream& operator<<(std::ostream& out, const ImportFailure& failure)
{
    out << "problem " << static_cast<int>(failure.problem);
    if (failure.error)
        out << ", errno " << failure.error;
    if (failure.line)
        out << ", line " << failure.line;
    if (!failure.detail.empty())
        out << ", " << failure.detail;
    return out;
}

// Paths of the drawings written by make_test_drawings.py.
inline std::string testDrawing(const std::string& name)
{
    return std::string(VARNHOLT_SOURCE_DIR) + "/tests/importer/data/" + name;
}

// The reader program as built, with the program's own limits.
inline ReaderOptions readerOptions()
{
    ReaderOptions options;
    options.program = std::string(VARNHOLT_BINARY_DIR) + "/app/" + kReaderProgramName;
    return options;
}

// The DWG reader as built, with its own limits; its package is installed
// beside it by test.sh.
inline ReaderOptions dwgReaderOptions()
{
    ReaderOptions options;
    options.program = std::string(VARNHOLT_BINARY_DIR) + "/app/" + kDwgReaderProgramName;
    options.memoryBytes = kDwgReaderMemoryBytes;
    return options;
}

inline DrawingParser readerParser()
{
    return readerProcessParser(readerOptions(), dwgReaderOptions());
}

inline std::string sampleDrawing(const std::string& name)
{
    return std::string(VARNHOLT_SOURCE_DIR) + "/samples/cad/" + name;
}

inline double loopArea(const GU_Loop& loop)
{
    double twice = 0.0;
    const std::size_t n = loop.count();
    for (std::size_t i = 0; i < n; ++i) {
        const position& a = loop.vertex(i);
        const position& b = loop.vertex((i + 1) % n);
        twice += a.x * b.y - b.x * a.y;
    }
    return std::abs(twice) / 2.0;
}

inline GK_Box loopBox(const GU_Loop& loop)
{
    return boundingBox(loop.vertices());
}
