#pragma once

#include "ZelnarParameterControls.h"

#include <optional>
#include <string>

// Save: the record takes the edits (and BR 115200 in simulation mode); returns the text of the
// 26-line parameter file with the combo boxes' selections and the record's values.
std::string SaveZelnarParameters(const CZelnarParameterControls& controls,
                                 CZelnarParameters& record);

// Load: the controls that a parameter file's text holds, with BR taken into the record.
// Nothing, and no change, when any of the 26 lines is missing or malformed or a selection
// lies outside its combo box.
std::optional<CZelnarParameterControls> LoadZelnarParameters(const std::string& text,
                                                             CZelnarParameters& record);
// The same for the file at path; nothing also when it cannot be read.
std::optional<CZelnarParameterControls> LoadZelnarParameterFile(const std::string& path,
                                                                CZelnarParameters& record);

// Load in simulation mode keeps the output format that the simulation locks (SDx) as the
// controls show it; the simulated lines are decimal.
void KeepSimulationLocks(CZelnarParameterControls& loaded, const CZelnarParameterControls& shown);
