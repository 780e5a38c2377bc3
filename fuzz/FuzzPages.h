#pragma once

#include "ClassicLines.h"
#include "GraphData.h"
#include "LogClock.h"
#include "ParameterRecords.h"
#include "QuorinDisplay.h"
#include "ReplyPage.h"

#include <string>

// The pages of the receive path as far as the core decides their work, without widgets, beside
// those of the benchmarks (BenchPages.h): the Zelnar Classic page and the Quorin Display page.

// The Log pages stamp their entries with this time, so that every run of an input is the same.
inline CTimeOfDay FixedLogTime()
{
    return {12, 34, 56, 789};
}

// The Zelnar Classic page's text.
class CFuzzClassicZL final : public CReplyPage
{
public:
    void OnData() override
    {
        const CClassicUpdate update = ZelnarClassicData(ZelnarParameters.SDx);
        if (update.clearBefore)
            m_strText.clear();
        m_strText += update.insert;
        if (update.clearAfter)
            m_strText.clear();
    }

private:
    std::string m_strText;
};

// The Quorin Display page: decoding, alarm and current, then the graph point.
class CFuzzDisplayQR final : public CReplyPage
{
public:
    void OnData() override
    {
        const CQuorinDisplayResult& result = g_DisplayQR.OnData();
        if (result.bAddGraphPoint)
            AddGraphPointQR(result.dGraphDistance);
    }
};
