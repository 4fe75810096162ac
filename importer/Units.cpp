#include <importer/Units.h>

#include <array>

namespace {

struct UnitRow {
    double millimetres;
    const char* name;
};

// $INSUNITS codes 0 to 24, in their order.
constexpr std::array<UnitRow, 25> kUnits{{
    {1.0, "无单位"},
    {25.4, "英寸"},
    {304.8, "英尺"},
    {1609344.0, "英里"},
    {1.0, "毫米"},
    {10.0, "厘米"},
    {1000.0, "米"},
    {1e6, "千米"},
    {25.4e-6, "微英寸"},
    {0.0254, "密耳"},
    {914.4, "码"},
    {1e-7, "埃"},
    {1e-6, "纳米"},
    {1e-3, "微米"},
    {100.0, "分米"},
    {1e4, "十米"},
    {1e5, "百米"},
    {1e12, "吉米"},
    {1.495978707e14, "天文单位"},
    {9.4607304725808e18, "光年"},
    {3.0856775814913673e19, "秒差距"},
    {1200.0 / 3937.0 * 1000.0, "美国测量英尺"},
    {1000.0 / 39.37, "美国测量英寸"},
    {3600.0 / 3937.0 * 1000.0, "美国测量码"},
    {6336.0 / 3937.0 * 1e6, "美国测量英里"},
}};

constexpr int kUnitless = 0;
constexpr int kMillimetres = 4;

} // namespace

DrawingUnit drawingUnit(std::optional<int> insunits)
{
    if (!insunits)
        return {1.0, "毫米", "图纸未设单位，按毫米"};
    const int code = *insunits;
    const std::string source = "$INSUNITS = " + std::to_string(code);
    if (code == kUnitless)
        return {1.0, "毫米", source + "（无单位，按毫米）"};
    if (code < 0 || code >= static_cast<int>(kUnits.size()))
        return {1.0, "毫米", source + "（未知单位，按毫米）"};
    if (code == kMillimetres)
        return {1.0, "毫米", source};
    return {kUnits[code].millimetres, kUnits[code].name, source};
}
