#pragma once

#include "GraphData.h"
#include "ReplyPage.h"
#include "ZelnarDisplay.h"

#include <sys/resource.h>

// The pages of the receive path as far as they are not widgets, for the benchmarks and the
// fuzz targets.

// A page that shows nothing (the Classic page's text view).
class CBenchNoPage final : public CReplyPage
{
public:
    void OnData() override {}
};

// The Display page: decode, then append the graph point.
class CBenchDisplayPage final : public CReplyPage
{
public:
    void OnData() override
    {
        const CZelnarDisplayResult& result = g_DisplayZL.OnData();
        if (result.bAddGraphPoint)
            AddGraphPoint(result.dGraphDistance, result.dGraphSpeed);
    }
};

// User and system CPU time of this process so far.
inline double CpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}
