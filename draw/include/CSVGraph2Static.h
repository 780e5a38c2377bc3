#pragma once

#include "PLOTRA_API.h"

#include <QWidget>

class CCSVTable2Graph;

// A control that shows a graph at the graph's own size from its top-left corner. Repaints
// draw the graph's table anew without erasing first, so live graphs do not flicker.
class PLOTRA_API CCSVGraph2Static : public QWidget
{
    Q_OBJECT

public:
    explicit CCSVGraph2Static(QWidget* parent = nullptr);

    // Neither repaints nor takes ownership: the caller updates the control when the new
    // graph is to be shown, and keeps the graph while the control can paint.
    void SetGraph(CCSVTable2Graph* graph);
    CCSVTable2Graph* GetGraph() const { return m_pGraph; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CCSVTable2Graph* m_pGraph = nullptr; // not owned
};
