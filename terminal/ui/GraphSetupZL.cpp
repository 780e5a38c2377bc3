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

// The dialog opens on the current settings.
CGraphSetupForm Form()
{
    const CGraphSetupZL setup = GetGraphSetupZL();
    return {"Zelnar Graph Setup",
            {{"Distance max", 1156, setup.strDistanceMax, true},
             {"Distance min", 1013, setup.strDistanceMin, true},
             {"Speed max", 1014, setup.strSpeedMax, true},
             {"Speed min", 1015, setup.strSpeedMin, true},
             {"Points Number", 1157, setup.strPointsNumber, false}},
            1155,
            setup.bAutoscale};
}

} // namespace

GraphSetupZL::GraphSetupZL(QWidget* parent) : CGraphSetupDialog(parent, Form()) {}

std::string GraphSetupZL::Take() const
{
    return TakeGraphSetupZL({IsAutoscale(), Text(DistanceMax), Text(DistanceMin), Text(SpeedMax),
                             Text(SpeedMin), Text(PointsNumber)});
}
