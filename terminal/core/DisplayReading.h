#pragma once

#include "QuorinDisplay.h"
#include "Reading.h"
#include "ZelnarDisplay.h"

#include <string>
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

// The reading of the line in hand, decoded as the Display page decodes it. Decoding consumes
// the line, so it is kept first; a binary record gives its Log entry instead.
class CZelnarDisplayReading
{
public:
    // g_DisplayZL.OnData() with the parameters in force; reading holds the line's values when
    // Taken().
    const CZelnarDisplayResult& Decode(CReading& reading);
    bool Taken() const { return m_bTaken; }

private:
    std::string m_strLine;
    bool m_bTaken = false;
};

class CQuorinDisplayReading
{
public:
    // g_DisplayQR.OnData() with the parameters and output format in force; reading holds the
    // line's values when Taken().
    const CQuorinDisplayResult& Decode(CReading& reading);
    bool Taken() const { return m_bTaken; }

private:
    std::string m_strLine;
    std::string m_strFormat;
    bool m_bTaken = false;
};
