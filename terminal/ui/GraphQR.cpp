#include "GraphQR.h"

#include "CSVGraph2Static.h"
#include "GraphData.h"
#include "GraphSetupQR.h"
#include "ParameterRecords.h"

GraphQR::GraphQR(QWidget* parent) : CGraphPage(parent), m_pStatic(AddGraph(1150, m_graph))
{
    AddButton("SETUP", 1156, [this] { OnSetup(); });
    AddButton("SAVE", 1155, [this] { OnSave(); });
    AddButton("CLEAR", 1154, [this] { OnClear(); });
    m_graph.SetAxis(0.0, 0.0, 5, 10, true, false);
    ResetGraphSettingsQR();
    CreateGraph();
}

void GraphQR::CreateGraph()
{
    CreateGraphTableQR();
    m_graph.SetTable(g_pDistanceTableQR.get());
}

void GraphQR::RedrawGraphQR()
{
    RedrawGraphControls(g_GraphMutexQR);
}

void GraphQR::OnSetup()
{
    GraphSetupQR setup(this);
    if (!RunSetup(setup))
        return;
    CreateGraph();
    RedrawGraphQR();
}

void GraphQR::OnClear()
{
    CreateGraph();
    RedrawGraphQR();
}

void GraphQR::OnSave()
{
    SaveGraphs(
        [this] { return Picture(*m_pStatic); },
        [](const std::string& path) { return SaveGraphParametersQR(path, QuorinParameters); });
}
