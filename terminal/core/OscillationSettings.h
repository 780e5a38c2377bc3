#pragma once

#include <string>

// The "Oscillations Settings" dialog of simulation mode: what its controls show when it opens
// and what its OK takes.
struct COscillationSettings
{
    std::string strDistanceMax; // 1163
    std::string strDistanceMin; // 1013
    bool bErrors = true;        // 1162
};

inline constexpr const char* OscillationsInvalidText =
    "Distance max must be greater than Distance min, Correct parameters";

// g_dSimMax and g_dSimMin as "%.3lf", and g_bSimErrors.
COscillationSettings GetOscillationSettings();

// OK: a maximum above the minimum becomes the run's range with the Errors choice and turns
// simulation mode on, and the answer is empty; otherwise nothing changes and the answer is the
// message to show while the dialog stays open.
std::string TakeOscillationSettings(const COscillationSettings& settings);

// Settings remembered from an earlier run: a valid range becomes the run's range with the Errors
// choice, without turning simulation mode on; false (and nothing changes) otherwise.
bool RestoreOscillationSettings(const COscillationSettings& settings);
