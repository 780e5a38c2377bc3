#include "GraphData.h"

std::unique_ptr<CCSVTable> g_pDistanceTable;
std::unique_ptr<CCSVTable> g_pSpeedTable;
CCSVColumn* g_pDistanceColumn = nullptr;
CCSVColumn* g_pSpeedColumn = nullptr;
std::int64_t g_nGraphPoints = 0;
std::mutex g_GraphMutex;
bool g_bAutoscale = true;
double g_dDistanceMin = 0.0;
double g_dDistanceMax = 20.0;
double g_dSpeedMin = -2.0;
double g_dSpeedMax = 2.0;
int g_nPointsNumber = 150;

std::unique_ptr<CCSVTable> g_pDistanceTableQR;
CCSVColumn* g_pDistanceColumnQR = nullptr;
std::int64_t g_nGraphPointsQR = 0;
std::mutex g_GraphMutexQR;
bool g_bAutoscaleQR = true;
double g_dDistanceMinQR = 0.0;
double g_dDistanceMaxQR = 20.0;
int g_nPointsNumberQR = 50;

bool g_bGraphSetupConfirmed = false;

namespace {

// The column descriptors give the legend captions; columns do not own them.
CSVColumn DistanceCaption{"", "Distance (m)", 0, 0};
CSVColumn SpeedCaption{"", "Speed (m/s)", 0, 0};

// An empty table with one column, created on the first call and emptied in place after, so
// that the renderers' table pointers stay valid and the buffers keep their capacity.
void CreateTable(std::unique_ptr<CCSVTable>& table, CCSVColumn*& column, CSVColumn& caption)
{
    if (!table) {
        table = std::make_unique<CCSVTable>(CSVFormatXY, nullptr);
        column = new CCSVColumn;
        column->m_pFormat = &caption;
        table->Add(column);
    }
    table->m_XValues.clear();
    table->m_XAxis = CCSVAxis{};
    table->m_ValueAxis = CCSVAxis{};
    column->m_Values.clear();
    static_cast<CCSVAxis&>(*column) = CCSVAxis{};
}

struct CGraphRange
{
    bool bAutoscale;
    double dMin;
    double dMax;
};

void AppendPoint(CCSVTable& table, CCSVColumn& column, double x, double value,
                 const CGraphRange& range, int pointsNumber)
{
    const bool first = column.m_Values.empty();
    table.m_XAxis.AddValue(x, first);
    table.m_XValues.push_back(x);
    column.m_Values.push_back(value);
    if (range.bAutoscale)
        column.AddValue(value, first);
    else
        column.SetMinMax(range.dMin, range.dMax);
    const std::size_t keep = pointsNumber > 0 ? static_cast<std::size_t>(pointsNumber) : 0;
    if (column.m_Values.size() > keep) {
        const auto excess = static_cast<std::ptrdiff_t>(column.m_Values.size() - keep);
        column.m_Values.erase(column.m_Values.begin(), column.m_Values.begin() + excess);
        table.m_XValues.erase(table.m_XValues.begin(), table.m_XValues.begin() + excess);
        if (!table.m_XValues.empty())
            table.m_XAxis.SetMinMax(table.m_XValues.front(), x);
    }
}

} // namespace

void ResetGraphSettingsZL()
{
    const std::lock_guard lock(g_GraphMutex);
    g_nGraphPoints = 0;
    g_bAutoscale = true;
    g_dDistanceMin = 0.0;
    g_dDistanceMax = 20.0;
    g_dSpeedMin = -2.0;
    g_dSpeedMax = 2.0;
    g_nPointsNumber = 150;
}

void ResetGraphSettingsQR()
{
    const std::lock_guard lock(g_GraphMutexQR);
    g_nGraphPointsQR = 0;
    g_bAutoscaleQR = true;
    g_dDistanceMinQR = 0.0;
    g_dDistanceMaxQR = 20.0;
    g_nPointsNumberQR = 50;
}

void CreateGraphTablesZL()
{
    const std::lock_guard lock(g_GraphMutex);
    CreateTable(g_pDistanceTable, g_pDistanceColumn, DistanceCaption);
    CreateTable(g_pSpeedTable, g_pSpeedColumn, SpeedCaption);
    g_nGraphPoints = 0;
}

void CreateGraphTableQR()
{
    const std::lock_guard lock(g_GraphMutexQR);
    CreateTable(g_pDistanceTableQR, g_pDistanceColumnQR, DistanceCaption);
    g_nGraphPointsQR = 0;
}

void AddGraphPoint(double distance, double speed)
{
    const std::lock_guard lock(g_GraphMutex);
    if (!g_pDistanceTable || !g_pSpeedTable)
        return;
    const auto x = static_cast<double>(g_nGraphPoints);
    AppendPoint(*g_pDistanceTable, *g_pDistanceColumn, x, distance,
                {g_bAutoscale, g_dDistanceMin, g_dDistanceMax}, g_nPointsNumber);
    AppendPoint(*g_pSpeedTable, *g_pSpeedColumn, x, speed, {g_bAutoscale, g_dSpeedMin, g_dSpeedMax},
                g_nPointsNumber);
    ++g_nGraphPoints;
}

void AddGraphPointQR(double distance)
{
    const std::lock_guard lock(g_GraphMutexQR);
    if (!g_pDistanceTableQR)
        return;
    const auto x = static_cast<double>(g_nGraphPointsQR);
    AppendPoint(*g_pDistanceTableQR, *g_pDistanceColumnQR, x, distance,
                {g_bAutoscaleQR, g_dDistanceMinQR, g_dDistanceMaxQR}, g_nPointsNumberQR);
    ++g_nGraphPointsQR;
}
