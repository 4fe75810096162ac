// Feeds arbitrary bytes to the door reader as a door file, against a small
// library whose model names differ in letter case and hold GBK characters, so
// that the name look-ups run. Whatever it reads must save and read back as
// the same door bound to the same models.
#include "FuzzLibrary.h"

#include <kernel/GK_Factories.h>
#include <library/DoorModelFile.h>
#include <library/ModelLibrary.h>

namespace {
std::unique_ptr<ModelLibrary> smallLibrary()
{
    auto library = std::make_unique<ModelLibrary>();
    // "H1", "h1" (its case twin), "合页" and "傾A" (a trail byte that looks like "A").
    for (const char* name : {"H1", "h1", "\xBA\xCF\xD2\xB3", "\x83\x41" "A", ""}) {
        auto hinge = api_gk_make_hinges({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
        hinge->SetName(name);
        library->hinges.add_tail(std::move(hinge));
    }
    for (const char* name : {"L1", "\xCB\xF8\xD0\xBE", "l1"}) {
        auto lockCore = api_gk_make_lockcore({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
        lockCore->SetName(name);
        library->lockCores.add_tail(std::move(lockCore));
    }
    return library;
}

template <typename Model>
std::string nameOf(const Model* model)
{
    return model ? model->GetName() : std::string();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const fuzz_library::ScratchFolder scratch;
    static const std::unique_ptr<ModelLibrary> library = smallLibrary();
    fuzz_library::checkPrecheckAgreesWithParser(data, size);
    const ModelLoad<GK_DoorWithHinges> load =
        LoadDoorModelFile(scratch.write("DoorModel/input.xml", data, size), *library);
    fuzz_library::checkOutcome(load);
    if (!load.model)
        return 0;
    const SaveResult saved = SaveDoorModelFile(load.model.get(), scratch.context());
    if (!saved)
        return 0; // a name that cannot be a file name
    const ModelLoad<GK_DoorWithHinges> back = LoadDoorModelFile(saved.path, *library);
    if (!back.model || nameOf(back.model->GetHingesModel()) != nameOf(load.model->GetHingesModel()) ||
        nameOf(back.model->GetLockCoreModel()) != nameOf(load.model->GetLockCoreModel()) ||
        back.model->GetHingesPos().count() != load.model->GetHingesPos().count())
        __builtin_trap();
    std::filesystem::remove(saved.path);
    return 0;
}
