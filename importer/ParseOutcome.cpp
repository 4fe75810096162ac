#include <importer/ParseOutcome.h>

#include <importer/ImportLimits.h>

namespace {

ImportFailure pastLimit(ImportProblem problem, std::size_t limit)
{
    ImportFailure failure{problem};
    failure.limit = limit;
    return failure;
}

} // namespace

ImportFailure parseFailure(DxfParseOutcome outcome)
{
    switch (outcome) {
    case DxfParseOutcome::Read:
        break;
    case DxfParseOutcome::CannotOpen:
        return {ImportProblem::CannotRead};
    case DxfParseOutcome::TooManyEntities:
        return pastLimit(ImportProblem::TooManyEntities, import_limits::kMaxEntities);
    case DxfParseOutcome::TooManyVertices:
        return pastLimit(ImportProblem::TooManyVertices, import_limits::kMaxFileVertices);
    case DxfParseOutcome::TooManyEntityVertices:
        return pastLimit(ImportProblem::EntityTooLarge, import_limits::kMaxEntityVertices);
    case DxfParseOutcome::TooManyBlocks:
        return pastLimit(ImportProblem::TooManyBlocks, import_limits::kMaxBlocks);
    case DxfParseOutcome::OutOfMemory:
        return {ImportProblem::ParserOutOfMemory};
    case DxfParseOutcome::Damaged:
        return {ImportProblem::Unparsable};
    }
    return {};
}
