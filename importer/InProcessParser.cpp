#include <importer/InProcessParser.h>

#include <importer/DxfFileCheck.h>
#include <importer/DxfParse.h>

#include <cerrno>

DrawingParser inProcessParser()
{
    return [](const DrawingFile& file, DrawingSink& sink, ImportProgress&) {
        const DxfFileCheck check = checkDxfText(file.bytes);
        if (check.failure)
            return ParseResult{check.failure, 0};
        // dxflib is given the text up to the EOF group only: it would read on.
        const UniqueFd text = openDrawingText(file, check.textLength);
        if (!text)
            return ParseResult{ImportFailure{ImportProblem::CannotRead, errno}, 0};
        const DxfParseOutcome outcome = parseDxf("/proc/self/fd/" + std::to_string(text.get()), sink);
        return ParseResult{parseFailure(outcome), outcome == DxfParseOutcome::Read ? check.textLength : 0};
    };
}
