// Feeds arbitrary bytes to the hinge reader as a hinge file. Whatever it reads
// must save and read back as the same model.
#include "FuzzLibrary.h"

#include <library/HingesFile.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const fuzz_library::ScratchFolder scratch;
    fuzz_library::checkPrecheckAgreesWithParser(data, size);
    const ModelLoad<GK_Hinges> load = LoadHingesFile(scratch.write("Hinges/input.xml", data, size));
    fuzz_library::checkOutcome(load);
    if (!load.model)
        return 0;
    const SaveResult saved = SaveHingesFile(load.model.get(), scratch.context());
    if (!saved)
        return 0; // a name that cannot be a file name
    const ModelLoad<GK_Hinges> back = LoadHingesFile(saved.path);
    if (!back.model || back.model->GetLoopOut().count() != load.model->GetLoopOut().count() ||
        back.model->GetListHole().count() != load.model->GetListHole().count())
        __builtin_trap();
    std::filesystem::remove(saved.path);
    return 0;
}
