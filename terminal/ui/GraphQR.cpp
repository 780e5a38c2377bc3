#include "GraphQR.h"

#include "CSVGraph2Static.h"
#include "GraphData.h"
#include "GraphSetup.h"
#include "GraphSetupQR.h"
#include "ParameterRecords.h"
#include "TerminalSettings.h"

GraphQR::GraphQR(QWidget* parent)
    : CGraphPage(parent, g_GraphMutexQR), m_pStatic(AddGraph(1150, m_graph))
{
    AddButton("SETUP", 1156, [this] {
        GraphSetupQR setup(this);
        RunSetup(setup);
        if (g_bGraphSetupConfirmed)
            CTerminalSettings().SetGraphSetupQR(GetGraphSetupQR());
    });
    AddButton("SAVE", 1155, [this] { OnSave(); });
    AddButton("CLEAR", 1154, [this] { Restart(); });
    m_graph.SetAxis(0.0, 0.0, 5, 10, true, false);
    ResetGraphSettingsQR();
    if (const auto remembered = CTerminalSettings().GraphSetupQR())
        RestoreGraphSetupQR(*remembered);
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
