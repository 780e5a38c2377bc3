#pragma once

#include "CSVTable2Graph.h"
#include "GraphPage.h"

class CCSVGraph2Static;

// The Graphic page of the Quorin main dialog: the last N distances, scrolling while
// measurements arrive. The points live in the graph table of the core; the page draws them
// when RedrawGraphQR is called.
class GraphQR : public CGraphPage
{
    Q_OBJECT
public:
    static constexpr int kTemplateId = 157;

    explicit GraphQR(QWidget* parent = nullptr);

    // The main dialog's timer and, while simulating, the Display page.
    void RedrawGraphQR() { RedrawGraphs(); }

    CCSVGraph2Static& DistanceStatic() const { return *m_pStatic; }

private:
    void CreateGraphs() override;
    void OnSave();

    CCSVTable2Graph m_graph;
    CCSVGraph2Static* m_pStatic;
};
