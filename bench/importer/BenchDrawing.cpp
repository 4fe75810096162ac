#include "BenchDrawing.h"

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

constexpr double kPitch = 20.0;
constexpr double kSide = 10.0;
constexpr double kHoleRadius = 2.0;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

class Writer {
public:
    explicit Writer(std::FILE* f) : m_f(f) {}
    void group(int code, const char* value) { std::fprintf(m_f, "%3d\n%s\n", code, value); }
    void group(int code, double value) { std::fprintf(m_f, "%3d\n%.4f\n", code, value); }
    void group(int code, int value) { std::fprintf(m_f, "%3d\n%d\n", code, value); }
    void handle() { std::fprintf(m_f, "  5\n%X\n", m_handle++); }

    void line(double x0, double y0, double x1, double y1)
    {
        group(0, "LINE");
        handle();
        group(100, "AcDbEntity");
        group(8, "OUTLINE");
        group(100, "AcDbLine");
        group(10, x0);
        group(20, y0);
        group(30, 0.0);
        group(11, x1);
        group(21, y1);
        group(31, 0.0);
    }
    void circle(double x, double y, double r)
    {
        group(0, "CIRCLE");
        handle();
        group(100, "AcDbEntity");
        group(8, "HOLES");
        group(100, "AcDbCircle");
        group(10, x);
        group(20, y);
        group(30, 0.0);
        group(40, r);
    }

private:
    std::FILE* m_f;
    unsigned m_handle = 0x100;
};

} // namespace

void writeSquaresDrawing(const std::string& path, int squares)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "w"));
    if (!file)
        return;
    Writer w(file.get());
    w.group(0, "SECTION");
    w.group(2, "HEADER");
    w.group(9, "$ACADVER");
    w.group(1, "AC1015");
    w.group(9, "$INSUNITS");
    w.group(70, 4);
    w.group(0, "ENDSEC");
    w.group(0, "SECTION");
    w.group(2, "ENTITIES");
    const int perRow = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(squares))));
    for (int i = 0; i < squares; ++i) {
        const double x = (i % perRow) * kPitch, y = (i / perRow) * kPitch;
        w.line(x, y, x + kSide, y);
        w.line(x + kSide, y, x + kSide, y + kSide);
        w.line(x + kSide, y + kSide, x, y + kSide);
        w.line(x, y + kSide, x, y);
        w.circle(x + kSide / 2, y + kSide / 2, kHoleRadius);
    }
    w.group(0, "ENDSEC");
    w.group(0, "EOF");
}
