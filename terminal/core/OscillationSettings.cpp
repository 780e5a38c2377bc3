#include "OscillationSettings.h"

#include "LeadingNumber.h"
#include "Strings.h"
#include "TerminalState.h"

#include <cmath>

COscillationSettings GetOscillationSettings()
{
    return {FormatString("%.3lf", g_dSimMax), FormatString("%.3lf", g_dSimMin), g_bSimErrors};
}

std::string TakeOscillationSettings(const COscillationSettings& settings)
{
    if (!RestoreOscillationSettings(settings))
        return OscillationsInvalidText;
    g_bSimulation = true;
    return {};
}

bool RestoreOscillationSettings(const COscillationSettings& settings)
{
    const double maximum = LeadingNumber(settings.strDistanceMax);
    const double minimum = LeadingNumber(settings.strDistanceMin);
    if (!std::isfinite(maximum) || !std::isfinite(minimum) || !(maximum > minimum))
        return false;
    g_dSimMax = maximum;
    g_dSimMin = minimum;
    g_bSimErrors = settings.bErrors;
    return true;
}
