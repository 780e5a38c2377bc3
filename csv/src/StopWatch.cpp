#include "StopWatch.h"

#include <cstdio>

void CStopWatch::Start()
{
    GetCurrentTimeb(&m_Start);
    m_Stop = m_Start;
    m_bRunning = 1;
}

void CStopWatch::Start(std::time_t time)
{
    GetCurrentTimeb(&m_Start);
    m_Start.time = time;
    m_Start.millitm = 0;
    m_bRunning = 1;
}

void CStopWatch::Stop(int show)
{
    if (m_bRunning) {
        GetCurrentTimeb(&m_Stop);
        m_bRunning = 0;
    }
    if (show)
        std::fprintf(stderr, "Stopwatch: %.3f second(s) taken\n", DiffTime(&m_Start, &m_Stop));
}

double CStopWatch::Diff()
{
    if (m_bRunning)
        Stop(0);
    return DiffTime(&m_Start, &m_Stop);
}

double CStopWatch::DiffNow() const
{
    _timeb now;
    GetCurrentTimeb(&now);
    _timeb start = m_Start;
    return DiffTime(&start, &now);
}

double CStopWatch::DiffNow(const std::time_t& time)
{
    return static_cast<double>(std::time(nullptr) - time);
}
