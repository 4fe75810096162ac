#include <importer/Units.h>

#include <array>

namespace {

// Millimetres per unit of the $INSUNITS codes 0 to 24, in their order.
constexpr std::array<double, 25> kMillimetres{
    1.0,                      // no unit
    25.4,                     // inch
    304.8,                    // foot
    1609344.0,                // mile
    1.0,                      // millimetre
    10.0,                     // centimetre
    1000.0,                   // metre
    1e6,                      // kilometre
    25.4e-6,                  // microinch
    0.0254,                   // mil
    914.4,                    // yard
    1e-7,                     // angstrom
    1e-6,                     // nanometre
    1e-3,                     // micron
    100.0,                    // decimetre
    1e4,                      // decametre
    1e5,                      // hectometre
    1e12,                     // gigametre
    1.495978707e14,           // astronomical unit
    9.4607304725808e18,       // light year
    3.0856775814913673e19,    // parsec
    1200.0 / 3937.0 * 1000.0, // US survey foot
    1000.0 / 39.37,           // US survey inch
    3600.0 / 3937.0 * 1000.0, // US survey yard
    6336.0 / 3937.0 * 1e6,    // US survey mile
};

constexpr int kUnitless = 0;
constexpr int kMillimetreCode = 4;

} // namespace

DrawingUnit drawingUnit(std::optional<int> insunits)
{
    DrawingUnit unit;
    unit.insunits = insunits;
    if (insunits && *insunits != kUnitless && *insunits >= 0 && *insunits < static_cast<int>(kMillimetres.size())) {
        unit.code = *insunits;
        unit.millimetres = kMillimetres[static_cast<std::size_t>(*insunits)];
    } else {
        unit.code = kMillimetreCode;
        unit.millimetres = 1.0;
    }
    return unit;
}

std::optional<DrawingUnit> unitOfCode(int code)
{
    if (code == kUnitless || code < 0 || code >= static_cast<int>(kMillimetres.size()))
        return std::nullopt;
    DrawingUnit unit;
    unit.code = code;
    unit.millimetres = kMillimetres[static_cast<std::size_t>(code)];
    return unit;
}
