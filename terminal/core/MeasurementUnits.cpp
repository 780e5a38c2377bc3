#include "MeasurementUnits.h"

#include <cmath>

namespace {

struct CScaleUnit
{
    double SF;
    std::string_view distance;
    std::string_view speed;
};

constexpr CScaleUnit ScaleUnits[] = {
    {1.0936, "Yard", "Yard/s"}, {3.28084, "feet", "feet/s"}, {0.3937, "x100 inch", "x100 inch/s"},
    {10.0, "dm", "dm/s"},       {1.0, "m", "m/s"},
};

const CScaleUnit* FindScaleUnit(double SF)
{
    for (const CScaleUnit& unit : ScaleUnits) {
        if (std::fabs(SF) == unit.SF)
            return &unit;
    }
    return nullptr;
}

bool CountsMillimetres(double SF)
{
    return SF == 1.0 || SF == -1.0;
}

} // namespace

std::string_view DistanceUnit(double SF)
{
    const CScaleUnit* unit = FindScaleUnit(SF);
    return unit ? unit->distance : std::string_view{};
}

std::string_view SpeedUnit(double SF)
{
    const CScaleUnit* unit = FindScaleUnit(SF);
    return unit ? unit->speed : std::string_view{};
}

std::string_view HexDistanceUnit(double SF)
{
    return CountsMillimetres(SF) ? "mm" : "";
}

std::string_view HexSpeedUnit(double SF)
{
    return CountsMillimetres(SF) ? "mm/s" : "";
}
