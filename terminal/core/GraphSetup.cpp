#include "GraphSetup.h"

#include "GraphData.h"
#include "LeadingNumber.h"

#include <cmath>

namespace {

bool IsValidRange(double min, double max)
{
    return std::isfinite(min) && std::isfinite(max) && max > min;
}

bool IsValidPointCount(int points)
{
    return points > 0 && points <= GraphPointsMost;
}

} // namespace

CGraphSetupZL GetGraphSetupZL()
{
    const std::lock_guard lock(g_GraphMutex);
    return {g_bAutoscale,
            FormatString("%.3lf", g_dDistanceMax),
            FormatString("%.3lf", g_dDistanceMin),
            FormatString("%.3lf", g_dSpeedMax),
            FormatString("%.3lf", g_dSpeedMin),
            FormatString("%d", g_nPointsNumber)};
}

CGraphSetupQR GetGraphSetupQR()
{
    const std::lock_guard lock(g_GraphMutexQR);
    return {g_bAutoscaleQR, FormatString("%.3lf", g_dDistanceMaxQR),
            FormatString("%.3lf", g_dDistanceMinQR), FormatString("%d", g_nPointsNumberQR)};
}

std::string TakeGraphSetupZL(const CGraphSetupZL& setup)
{
    if (!RestoreGraphSetupZL(setup))
        return GraphSetupInvalidText;
    g_bGraphSetupConfirmed = true;
    return {};
}

std::string TakeGraphSetupQR(const CGraphSetupQR& setup)
{
    if (!RestoreGraphSetupQR(setup))
        return GraphSetupInvalidText;
    g_bGraphSetupConfirmed = true;
    return {};
}

bool RestoreGraphSetupZL(const CGraphSetupZL& setup)
{
    const double distanceMax = LeadingNumber(setup.strDistanceMax);
    const double distanceMin = LeadingNumber(setup.strDistanceMin);
    const double speedMax = LeadingNumber(setup.strSpeedMax);
    const double speedMin = LeadingNumber(setup.strSpeedMin);
    const int points = LeadingInteger(setup.strPointsNumber);
    if (!IsValidRange(distanceMin, distanceMax) || !IsValidRange(speedMin, speedMax) ||
        !IsValidPointCount(points))
        return false;
    const std::lock_guard lock(g_GraphMutex);
    g_bAutoscale = setup.bAutoscale;
    g_dDistanceMax = distanceMax;
    g_dDistanceMin = distanceMin;
    g_dSpeedMax = speedMax;
    g_dSpeedMin = speedMin;
    g_nPointsNumber = points;
    return true;
}

bool RestoreGraphSetupQR(const CGraphSetupQR& setup)
{
    const double distanceMax = LeadingNumber(setup.strDistanceMax);
    const double distanceMin = LeadingNumber(setup.strDistanceMin);
    const int points = LeadingInteger(setup.strPointsNumber);
    if (!IsValidRange(distanceMin, distanceMax) || !IsValidPointCount(points))
        return false;
    const std::lock_guard lock(g_GraphMutexQR);
    g_bAutoscaleQR = setup.bAutoscale;
    g_dDistanceMaxQR = distanceMax;
    g_dDistanceMinQR = distanceMin;
    g_nPointsNumberQR = points;
    return true;
}

void CancelGraphSetup()
{
    g_bGraphSetupConfirmed = false;
}
