#pragma once

#include "ClassicLines.h"
#include "GraphData.h"
#include "LogClock.h"
#include "ParameterRecords.h"
#include "QuorinDisplay.h"
#include "ReplyPage.h"
#include "ZelnarDisplay.h"

#include <string>

// The pages of the receive path as far as the core decides their work, without widgets.

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

// The Quorin Classic page shows each chunk as it is.
class CFuzzClassicQR final : public CReplyPage
{
public:
    void OnData() override {}
};

// The Display pages: decoding, alarms and current, then the graph point.
class CFuzzDisplayZL final : public CReplyPage
{
public:
    void OnData() override
    {
        const CZelnarDisplayResult& result = g_DisplayZL.OnData();
        if (result.bAddGraphPoint)
            AddGraphPoint(result.dGraphDistance, result.dGraphSpeed);
    }
};

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
