#include "GraphZL.h"

#include "CSVGraph2Static.h"
#include "GraphData.h"
#include "GraphSetup.h"
#include "GraphSetupZL.h"
#include "ParameterRecords.h"
#include "TerminalSettings.h"

GraphZL::GraphZL(QWidget* parent)
    : CGraphPage(parent, g_GraphMutex), m_pSpeedStatic(AddGraph(1152, m_speedGraph)),
      m_pDistanceStatic(AddGraph(1151, m_distanceGraph))
{
    AddButton("Setup", 1097, [this] {
        GraphSetupZL setup(this);
        RunSetup(setup);
        if (g_bGraphSetupConfirmed)
            CTerminalSettings().SetGraphSetupZL(GetGraphSetupZL());
    });
    AddButton("Save", 1096, [this] { OnSave(); });
    AddButton("Clear", 1153, [this] { Restart(); });
    for (CCSVTable2Graph* graph : {&m_distanceGraph, &m_speedGraph})
        graph->SetAxis(0.0, 0.0, 10, 7, true, false);
    ResetGraphSettingsZL();
    if (const auto remembered = CTerminalSettings().GraphSetupZL())
        RestoreGraphSetupZL(*remembered);
    CreateGraphs();
}

void GraphZL::CreateGraphs()
{
    CreateGraphTablesZL();
    m_distanceGraph.SetTable(g_pDistanceTable.get());
    m_speedGraph.SetTable(g_pSpeedTable.get());
}

void GraphZL::OnSave()
{
    SaveGraphs(
        [this] {
            return StackGraphPictures(Picture(*m_pSpeedStatic), Picture(*m_pDistanceStatic));
        },
        [](const std::string& path) { return SaveGraphParametersZL(path, ZelnarParameters); });
}
