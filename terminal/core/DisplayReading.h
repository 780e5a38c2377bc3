#pragma once

#include "QuorinDisplay.h"
#include "Reading.h"
#include "ZelnarDisplay.h"

#include <string_view>

// The reading in what the Display page decoded from one line or binary record: the result of
// CZelnarDisplay or CQuorinDisplay, the line it decoded, and the parameters it decoded it
// with. False, and the reading's values undefined, when the line is no measurement (a listing
// line, an echo, an empty notification). The time stays as it was.

// SDx as the line was decoded; line is g_strMeasLine (text output) or the record's Log entry.
bool ZelnarReading(const CZelnarDisplayResult& result, int SDx, double SF, std::string_view line,
                   CReading& reading);
// format "d" or "h" as the line was decoded.
bool QuorinReading(const CQuorinDisplayResult& result, std::string_view format, double SF,
                   std::string_view line, CReading& reading);
