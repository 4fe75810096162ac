// Feeds arbitrary bytes to the lock-core reader as a lock-core file. Whatever
// it reads must save and read back as the same model.
#include "FuzzLibrary.h"

#include <library/LockCoreFile.h>

namespace {
bool sameShape(const GK_LockCore& a, const GK_LockCore& b)
{
    return a.GetTopLoop().count() == b.GetTopLoop().count() && a.GetSideLoop().count() == b.GetSideLoop().count() &&
           a.GetTopList().count() == b.GetTopList().count() && a.GetSideList().count() == b.GetSideList().count();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const fuzz_library::ScratchFolder scratch;
    fuzz_library::checkPrecheckAgreesWithParser(data, size);
    const ModelLoad<GK_LockCore> load = LoadLockCoreFile(scratch.write("Lockcores/input.xml", data, size));
    fuzz_library::checkOutcome(load);
    if (!load.model)
        return 0;
    const SaveResult saved = SaveLockCoreFile(load.model.get(), scratch.context());
    if (!saved)
        return 0; // a name that cannot be a file name
    const ModelLoad<GK_LockCore> back = LoadLockCoreFile(saved.path);
    if (!back.model || !sameShape(*back.model, *load.model))
        __builtin_trap();
    std::filesystem::remove(saved.path);
    return 0;
}
