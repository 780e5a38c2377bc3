#pragma once

#include <string>

// The graph Setup dialogs: what their controls show when they open and what their OK takes.
// The range edits are enabled while Autoscale is off.

// "Zelnar Graph Setup": edits 1156, 1013, 1014, 1015, 1157 and check box 1155.
struct CGraphSetupZL
{
    bool bAutoscale = true;
    std::string strDistanceMax;
    std::string strDistanceMin;
    std::string strSpeedMax;
    std::string strSpeedMin;
    std::string strPointsNumber;
};

// "Quorin Graph Setup": edits 1158, 1159, 1160 and check box 1161.
struct CGraphSetupQR
{
    bool bAutoscale = true;
    std::string strDistanceMax;
    std::string strDistanceMin;
    std::string strPointsNumber;
};

inline constexpr const char* GraphSetupInvalidText = "Parameters are invalid, Please correct it";

// The most points a graph keeps. Every redraw walks all of them: with this many, both Zelnar
// graphs at the dialog's size are redrawn well within 20 ms (telvan-graph-bench), and each
// graph holds a few megabytes.
inline constexpr int GraphPointsMost = 200000;

// The current settings, ranges as "%.3lf" and the number of points as "%d".
CGraphSetupZL GetGraphSetupZL();
CGraphSetupQR GetGraphSetupQR();

// OK: valid texts (finite ranges with max above min, 1 to GraphPointsMost points) become the
// settings and confirm the setup, and the answer is empty; otherwise nothing changes and the answer
// is the message to show while the dialog stays open.
std::string TakeGraphSetupZL(const CGraphSetupZL& setup);
std::string TakeGraphSetupQR(const CGraphSetupQR& setup);

// Setups remembered from an earlier run: valid texts become the settings without confirming a
// dialog; false (and nothing changes) otherwise.
bool RestoreGraphSetupZL(const CGraphSetupZL& setup);
bool RestoreGraphSetupQR(const CGraphSetupQR& setup);

// Cancel of either dialog.
void CancelGraphSetup();
