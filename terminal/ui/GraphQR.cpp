#include "GraphQR.h"

#include "CSVGraph2Static.h"
#include "GraphData.h"
#include "GraphSetupQR.h"
#include "ParameterRecords.h"

GraphQR::GraphQR(QWidget* parent)
    : CGraphPage(parent, g_GraphMutexQR), m_pStatic(AddGraph(1150, m_graph))
{
    AddButton("SETUP", 1156, [this] {
        GraphSetupQR setup(this);
        RunSetup(setup);
    });
    AddButton("SAVE", 1155, [this] { OnSave(); });
    AddButton("CLEAR", 1154, [this] { Restart(); });
    m_graph.SetAxis(0.0, 0.0, 5, 10, true, false);
    ResetGraphSettingsQR();
    CreateGraphs();
}

void GraphQR::CreateGraphs()
{
    CreateGraphTableQR();
    m_graph.SetTable(g_pDistanceTableQR.get());
}

void GraphQR::OnSave()
{
    SaveGraphs(
        [this] { return Picture(*m_pStatic); },
        [](const std::string& path) { return SaveGraphParametersQR(path, QuorinParameters); });
}
