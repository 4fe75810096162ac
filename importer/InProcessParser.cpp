#include <importer/InProcessParser.h>

#include <importer/DxfSource.h>
#include <importer/DxfParse.h>

#include <cerrno>

DrawingParser inProcessParser()
{
    return [](const DrawingFile& file, DrawingSink& sink, ImportProgress&) {
        DxfSource source = checkDxfSource(file.bytes);
        if (source.failure)
            return ParseResult{source.failure, 0};
        // dxflib is given the text up to the EOF group only: it would read on.
        const UniqueFd text = openDxfSource(file, source);
        if (!text)
            return ParseResult{ImportFailure{ImportProblem::CannotRead, errno}, 0};
        const DxfParseOutcome outcome = parseDxf("/proc/self/fd/" + std::to_string(text.get()), sink);
        if (outcome != DxfParseOutcome::Read)
            return ParseResult{parseFailure(outcome), 0};
        return ParseResult{{}, source.textLength, std::move(source.notes)};
    };
}
