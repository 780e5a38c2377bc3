#pragma once

#include "CSVTable2Graph.h"
#include "GraphPage.h"

class CCSVGraph2Static;

// The Graphic page of the Zelnar main dialog: the last N speeds above and distances below,
// scrolling while measurements arrive. The points live in the graph tables of the core; the
// page draws them when RedrawGraphs is called.
class GraphZL : public CGraphPage
{
    Q_OBJECT
public:
    static constexpr int kTemplateId = 133;

    explicit GraphZL(QWidget* parent = nullptr);

    CCSVGraph2Static& DistanceStatic() const { return *m_pDistanceStatic; }
    CCSVGraph2Static& SpeedStatic() const { return *m_pSpeedStatic; }

private:
    void CreateGraphs() override;
    void OnSave();

    CCSVTable2Graph m_speedGraph;
    CCSVTable2Graph m_distanceGraph;
    CCSVGraph2Static* m_pSpeedStatic;
    CCSVGraph2Static* m_pDistanceStatic;
};
