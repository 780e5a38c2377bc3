#include "GraphSetupQR.h"

#include "GraphSetup.h"

namespace {

enum Edit : std::size_t
{
    DistanceMax,
    DistanceMin,
    PointsNumber,
};

// The dialog opens on the current settings.
CGraphSetupForm Form()
{
    const CGraphSetupQR setup = GetGraphSetupQR();
    return {"Quorin Graph Setup",
            {{"Distance max", 1158, setup.strDistanceMax, true},
             {"Distance min", 1159, setup.strDistanceMin, true},
             {"Points Number", 1160, setup.strPointsNumber, false}},
            1161,
            setup.bAutoscale};
}

} // namespace

GraphSetupQR::GraphSetupQR(QWidget* parent) : CGraphSetupDialog(parent, Form()) {}

std::string GraphSetupQR::Take() const
{
    return TakeGraphSetupQR(
        {IsAutoscale(), Text(DistanceMax), Text(DistanceMin), Text(PointsNumber)});
}
