#include "GraphSetupQR.h"

#include "GraphSetup.h"

namespace {

enum Edit : std::size_t
{
    DistanceMax,
    DistanceMin,
    PointsNumber,
};

std::vector<CGraphSetupEdit> Edits(const CGraphSetupQR& setup)
{
    return {{"Distance max", 1158, setup.strDistanceMax, true},
            {"Distance min", 1159, setup.strDistanceMin, true},
            {"Points Number", 1160, setup.strPointsNumber, false}};
}

} // namespace

GraphSetupQR::GraphSetupQR(QWidget* parent) : GraphSetupQR(parent, GetGraphSetupQR()) {}

GraphSetupQR::GraphSetupQR(QWidget* parent, const CGraphSetupQR& setup)
    : CGraphSetupDialog(parent, "Quorin Graph Setup", Edits(setup), 1161, setup.bAutoscale)
{
}

std::string GraphSetupQR::Take() const
{
    return TakeGraphSetupQR(
        {IsAutoscale(), Text(DistanceMax), Text(DistanceMin), Text(PointsNumber)});
}
