#pragma once

#include <kernel/GK_Factories.h>
#include <library/ModelLibrary.h>
#include <library/ModelSave.h>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdlib.h>
#include <string>

// A scratch library folder with the three model folders, and an empty
// library in memory.
class TempLibrary {
public:
    // In the system's temporary folder, or in base.
    explicit TempLibrary(const std::filesystem::path& base = std::filesystem::temp_directory_path())
        : m_root(makeRoot(base))
    {
        for (const char* folder : {"Hinges", "Lockcores", "DoorModel"})
            std::filesystem::create_directory(m_root / folder);
    }
    ~TempLibrary()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }

    // The library's folder, as the library's functions take it.
    std::string folder() const { return m_root.string() + "/"; }
    // A save into the folder that checks nothing against the files on disk.
    SaveContext context() const { return SaveContext{folder()}; }
    std::string path(const std::string& relative) const { return (m_root / relative).string(); }

    void write(const std::string& relative, const std::string& content) const
    {
        std::ofstream(path(relative), std::ios::binary) << content;
    }

    std::string read(const std::string& relative) const
    {
        std::ifstream in(path(relative), std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }

    ModelLibrary library;

private:
    static std::filesystem::path makeRoot(const std::filesystem::path& base)
    {
        std::string pattern = (base / "varnholt-lib-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            ADD_FAILURE() << "cannot create a scratch folder";
        return pattern;
    }

    std::filesystem::path m_root;
};

// A folder in memory where the system has one: for tests that make or save
// files by the ten thousand, where the disk would only add waiting.
inline std::filesystem::path MemoryFolder()
{
    return std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                      : std::filesystem::temp_directory_path();
}

// The bytes of a hand-written file in the golden folder of the tests.
inline std::string golden(const std::string& name)
{
    std::ifstream in(std::string(VARNHOLT_SOURCE_DIR) + "/tests/library/golden/" + name, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

// Texts in GBK: "合页" (hinge), and "傾" whose trail byte is the letter "A".
inline const std::string kGbkHinge = "\xBA\xCF\xD2\xB3";
inline const std::string kGbkTrailA = "\x83\x41";

// A small hinge model: a triangle, the given name and thickness.
inline std::unique_ptr<GK_Hinges> SmallHinge(const std::string& name, double thick = 1.0)
{
    auto hinge = api_gk_make_hinges({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    hinge->SetName(name);
    hinge->SetThick(thick);
    return hinge;
}

// A square outline of side 10.
inline GU_Pt_List TestSquare()
{
    return {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
}
