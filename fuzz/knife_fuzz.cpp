// Feeds arbitrary bytes to the tool-table reader as the tool table. The tools
// it reads must save and read back unchanged but for the rounding of reals.
#include "FuzzLibrary.h"

#include <library/KnifeFile.h>

#include <cmath>

namespace {
bool sameTool(const KnifeInfo& a, const KnifeInfo& b)
{
    return a.ID == b.ID && a.Vel == b.Vel && a.Type == b.Type && a.IsMain == b.IsMain && a.Enable == b.Enable &&
           std::abs(a.Diameter - b.Diameter) <= 0.005 * (1 + std::abs(a.Diameter)) &&
           std::abs(a.SafeDistance - b.SafeDistance) <= 0.005 * (1 + std::abs(a.SafeDistance)) &&
           a.AirForward == b.AirForward && a.AirBack == b.AirBack && a.DrillStart == b.DrillStart &&
           a.DrillStop == b.DrillStop;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const fuzz_library::ScratchFolder scratch;
    fuzz_library::checkPrecheckAgreesWithParser(data, size);
    scratch.write("HingesKnife.xml", data, size);
    GU_OwnedList<KnifeInfo> tools;
    std::vector<SkippedFile> skipped;
    LoadKnifeFile(scratch.folder(), tools, &skipped);
    if (!tools.empty() && !skipped.empty())
        __builtin_trap();
    if (!SaveKnifeFile(tools, scratch.context()))
        __builtin_trap();
    GU_OwnedList<KnifeInfo> back;
    LoadKnifeFile(scratch.folder(), back);
    if (back.count() != tools.count())
        __builtin_trap();
    for (std::size_t i = 0; i < tools.count(); ++i)
        if (!sameTool(*tools[i], *back[i]))
            __builtin_trap();
    return 0;
}
