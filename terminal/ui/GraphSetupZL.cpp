#include "GraphSetupZL.h"

#include "GraphSetup.h"

namespace {

enum Edit : std::size_t
{
    DistanceMax,
    DistanceMin,
    SpeedMax,
    SpeedMin,
    PointsNumber,
};

std::vector<CGraphSetupEdit> Edits(const CGraphSetupZL& setup)
{
    return {{"Distance max", 1156, setup.strDistanceMax, true},
            {"Distance min", 1013, setup.strDistanceMin, true},
            {"Speed max", 1014, setup.strSpeedMax, true},
            {"Speed min", 1015, setup.strSpeedMin, true},
            {"Points Number", 1157, setup.strPointsNumber, false}};
}

} // namespace

GraphSetupZL::GraphSetupZL(QWidget* parent) : GraphSetupZL(parent, GetGraphSetupZL()) {}

GraphSetupZL::GraphSetupZL(QWidget* parent, const CGraphSetupZL& setup)
    : CGraphSetupDialog(parent, "Zelnar Graph Setup", Edits(setup), 1155, setup.bAutoscale)
{
}

std::string GraphSetupZL::Take() const
{
    return TakeGraphSetupZL({IsAutoscale(), Text(DistanceMax), Text(DistanceMin), Text(SpeedMax),
                             Text(SpeedMin), Text(PointsNumber)});
}
