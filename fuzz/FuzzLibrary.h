#pragma once

// What the library-file fuzz targets share: a scratch library folder for the
// input files and the checks every input must pass.
#include <library/LibraryText.h>
#include <library/LoadProblem.h>
#include <library/ModelSave.h>
#include <tests/support/ParsedXmlCounts.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fuzz_library {

// A library folder with the three model folders, in memory where there is
// such a file system, removed when the process ends; the targets read and
// write there for the whole run.
class ScratchFolder {
public:
    ScratchFolder()
    {
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
        m_root = base / ("varnholt-fuzz-" + std::to_string(getpid()));
        std::filesystem::remove_all(m_root);
        for (const char* folder : {"Hinges", "Lockcores", "DoorModel"})
            std::filesystem::create_directories(m_root / folder);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }

    std::string folder() const { return m_root.string(); }
    // Where the targets save: the folder, no record of the files.
    SaveContext context() const { return SaveContext{folder()}; }

    // Writes the input as the file at the path below the folder; its full path.
    std::string write(const std::string& relative, const std::uint8_t* data, std::size_t size) const
    {
        const std::string path = (m_root / relative).string();
        std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                     static_cast<std::streamsize>(size));
        return path;
    }

private:
    std::filesystem::path m_root;
};

// The pre-check guards the parser's stack and time, so it must read every
// text as the parser does: the same nesting, the same attributes (the parser
// drops the one it fails on), no fewer nodes. Texts nested too deep for the
// parser's stack are only counted.
inline void checkPrecheckAgreesWithParser(const std::uint8_t* data, std::size_t size)
{
    constexpr XmlCounts kRoomy{.depth = 500, .attributes = 1 << 20, .nodes = std::size_t(1) << 30};
    const std::string text(reinterpret_cast<const char*>(data), size);
    const XmlCounts counted = CountXml(text, kRoomy);
    if (!XmlWithin(counted, kRoomy))
        return;
    const XmlCounts built = parsed_xml::counts(text);
    if (counted.depth != built.depth || counted.attributes < built.attributes ||
        counted.attributes > built.attributes + 1 || counted.nodes < built.nodes)
        __builtin_trap();
}

// A reader's outcome has a model exactly when it names no problem.
template <typename Load>
void checkOutcome(const Load& load)
{
    if (!load.model != !load.outcome)
        __builtin_trap();
}

} // namespace fuzz_library
