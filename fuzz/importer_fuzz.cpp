// Feeds arbitrary bytes to both imports, parsed by dxflib in this process:
// each must end with a model or a reason, without crashing, leaking or
// running away.
#include <importer/CadImporter.h>
#include <importer/InProcessParser.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

namespace {

const std::string& scratchPath()
{
    static const std::string path = "/tmp/importer_fuzz_" + std::to_string(::getpid()) + ".dxf";
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::FILE* f = std::fopen(scratchPath().c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    CadImporter importer(inProcessParser());
    if ((importer.import_hinges_from_cad_file(scratchPath()) == 0) != (importer.get_hinges_model() != nullptr))
        __builtin_trap();
    if ((importer.import_lockcore_from_cad_file(scratchPath()) == 0) != (importer.get_lockcore_model() != nullptr))
        __builtin_trap();
    if (!importer.report().failure != (importer.get_lockcore_model() != nullptr))
        __builtin_trap();
    return 0;
}
