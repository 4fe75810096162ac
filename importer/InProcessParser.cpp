#include <importer/InProcessParser.h>

#include <importer/DxfFileCheck.h>
#include <importer/DxfParse.h>

DrawingParser inProcessParser()
{
    return [](const DrawingFile& file, DrawingSink& sink, ImportProgress&) {
        const DxfFileCheck check = checkDxfText(file.bytes);
        if (!check.ok)
            return ParseResult{check.failure, 0};
        // dxflib is given the text up to the EOF group only: it would read on.
        const UniqueFd text = openDrawingText(file, check.textLength);
        if (!text)
            return ParseResult{parseFailureText(DxfParseOutcome::CannotOpen), 0};
        const DxfParseOutcome outcome = parseDxf("/proc/self/fd/" + std::to_string(text.get()), sink);
        if (outcome != DxfParseOutcome::Read)
            return ParseResult{parseFailureText(outcome), 0};
        return ParseResult{{}, check.textLength};
    };
}
