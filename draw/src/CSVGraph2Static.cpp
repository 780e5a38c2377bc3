#include "CSVGraph2Static.h"

#include "CSVGraph2DC.h"
#include "CSVTable2Graph.h"

#include <QPainter>

CCSVGraph2Static::CCSVGraph2Static(QWidget* parent) : QWidget(parent) {}

void CCSVGraph2Static::SetGraph(CCSVTable2Graph* graph)
{
    m_pGraph = graph;
    // The picture covers the control: no erasing before each paint.
    setAttribute(Qt::WA_OpaquePaintEvent, graph != nullptr);
}

void CCSVGraph2Static::paintEvent(QPaintEvent*)
{
    if (!m_pGraph)
        return;
    // Qt paints widgets off-screen and shows the result at once, so nothing half-drawn is seen.
    QPainter painter(this);
    // Beside a picture smaller than the control, and in the last column and row that the
    // picture's rectangles leave out, the control shows its background.
    painter.fillRect(rect(), palette().window());
    CCSVGraph2DC dc(&painter);
    m_pGraph->Draw(&dc);
}
