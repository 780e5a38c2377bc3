#pragma once

#include "CSVTabs.h"

#include <cstdint>
#include <memory>
#include <mutex>

// The points of the graph pages: per graph a table with one column, holding the last N values
// over their running point number, so that the graph scrolls while values arrive. The tables
// exist from the first page initialisation on and keep their addresses for the rest of the
// program, so a renderer made on them never outlives them. Appending and redrawing of one
// family hold that family's mutex; painting reads the tables without it.

// Zelnar: distance and speed.
extern std::unique_ptr<CCSVTable> g_pDistanceTable;
extern std::unique_ptr<CCSVTable> g_pSpeedTable;
extern CCSVColumn* g_pDistanceColumn; // owned by g_pDistanceTable
extern CCSVColumn* g_pSpeedColumn;    // owned by g_pSpeedTable
extern std::int64_t g_nGraphPoints;   // points appended since the graphs were (re)created
extern std::mutex g_GraphMutex;
extern bool g_bAutoscale; // value ranges follow the data; otherwise the fixed ranges below
extern double g_dDistanceMin;
extern double g_dDistanceMax;
extern double g_dSpeedMin;
extern double g_dSpeedMax;
extern int g_nPointsNumber; // N, the points kept per graph

// Quorin: distance.
extern std::unique_ptr<CCSVTable> g_pDistanceTableQR;
extern CCSVColumn* g_pDistanceColumnQR; // owned by g_pDistanceTableQR
extern std::int64_t g_nGraphPointsQR;
extern std::mutex g_GraphMutexQR;
extern bool g_bAutoscaleQR;
extern double g_dDistanceMinQR;
extern double g_dDistanceMaxQR;
extern int g_nPointsNumberQR;

// Set by a valid OK of either setup dialog, cleared by its Cancel.
extern bool g_bGraphSetupConfirmed;

// Page initialisation: the settings start again at their initial values.
void ResetGraphSettingsZL();
void ResetGraphSettingsQR();

// Page initialisation, Clear and a confirmed Setup: the graphs start again empty at point
// number 0 ("Distance (m)", "Speed (m/s)"). The first call creates the tables.
void CreateGraphTablesZL();
void CreateGraphTableQR();

// One point per decoded measurement; nothing before the tables exist. A value that is not
// finite is kept (the graph leaves a gap) but stays out of an automatic range.
void AddGraphPoint(double distance, double speed);
void AddGraphPointQR(double distance);
