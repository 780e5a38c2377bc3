#pragma once

#include "CSV_API.h"
#include "Int64Time.h"

#include <ctime>
#include <iosfwd>

class CSV_API CStopWatch
{
public:
    CStopWatch() = default;

    void Start();
    // Starts at now with its seconds replaced by time and no milliseconds.
    void Start(std::time_t time);
    // Stops a running watch; with show set, tells the elapsed time on standard error.
    void Stop(int show);
    double Diff();
    double DiffNow() const;
    static double DiffNow(const std::time_t& time);
    int IsRunning() const { return m_bRunning; }

    int m_bRunning = 0;
    _timeb m_Start{};
    _timeb m_Stop{};
};
