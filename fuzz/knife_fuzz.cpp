// Feeds arbitrary bytes to the tool-table reader as the tool table. The tools
// it reads must save and read back unchanged but for the rounding of reals.
#include "FuzzLibrary.h"

#include <library/KnifeFields.h>
#include <library/KnifeFile.h>

#include <cmath>

namespace {
bool same(double a, double b)
{
    return std::abs(a - b) <= 0.005 * (1 + std::abs(a));
}
template <typename T>
bool same(const T& a, const T& b)
{
    return a == b;
}

bool sameTool(const KnifeInfo& a, const KnifeInfo& b)
{
    for (const KnifeField& field : KnifeFields())
        if (!std::visit([&](auto member) { return same(a.*member, b.*member); }, field.member))
            return false;
    return true;
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
