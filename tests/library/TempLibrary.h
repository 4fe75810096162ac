#pragma once

#include <kernel/GK_Factories.h>
#include <library/ExeFolder.h>
#include <library/ModelLibrary.h>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdlib.h>
#include <string>

// A scratch program folder with the three model folders, which the library
// uses instead of the program's own, and an empty library in memory.
class TempLibrary {
public:
    TempLibrary() : m_root(makeRoot()), m_exeFolder(m_root.string())
    {
        for (const char* folder : {"Hinges", "Lockcores", "DoorModel"})
            std::filesystem::create_directory(m_root / folder);
    }
    ~TempLibrary()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }

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
    static std::filesystem::path makeRoot()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "varnholt-lib-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            ADD_FAILURE() << "cannot create a scratch folder";
        return pattern;
    }

    std::filesystem::path m_root;
    ScopedExeFolder m_exeFolder;
};

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
