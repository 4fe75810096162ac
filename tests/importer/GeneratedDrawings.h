#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <unistd.h>

// DXF text written group by group, for drawings made in the test itself.
class DxfText {
public:
    DxfText& group(int code, std::string_view value)
    {
        text += std::to_string(code);
        text += '\n';
        text += value;
        text += '\n';
        return *this;
    }
    DxfText& group(int code, double value) { return group(code, std::to_string(value)); }
    DxfText& line(double x0, double y0, double x1, double y1)
    {
        return group(0, "LINE").group(8, "0").group(10, x0).group(20, y0).group(11, x1).group(21, y1);
    }
    DxfText& square(double x, double y, double side)
    {
        return line(x, y, x + side, y).line(x + side, y, x + side, y + side).line(x + side, y + side, x, y + side).line(
            x, y + side, x, y);
    }
    DxfText& beginEntities() { return group(0, "SECTION").group(2, "ENTITIES"); }
    DxfText& endOfFile() { return group(0, "ENDSEC").group(0, "EOF"); }

    std::string text;
};

// A scratch folder for the drawings of one test, removed with it.
class ScratchFolder {
public:
    ScratchFolder()
        : m_path(std::filesystem::temp_directory_path()
                 / ("varnholt_importer_" + std::to_string(::getpid()) + "_" + std::to_string(++s_count)))
    {
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder() { std::filesystem::remove_all(m_path); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string write(const std::string& name, std::string_view bytes) const
    {
        const std::string path = (m_path / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::filesystem::path path() const { return m_path; }

private:
    inline static int s_count = 0;
    std::filesystem::path m_path;
};
