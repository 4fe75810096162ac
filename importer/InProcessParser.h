#pragma once

#include <importer/DrawingParser.h>

// Parses drawings with dxflib inside this process. Nothing guards this
// process from what dxflib does with a hostile file: the program uses the
// reader process (ReaderProcess.h); this serves the fuzz target and the
// benchmark that sets both side by side.
DrawingParser inProcessParser();
