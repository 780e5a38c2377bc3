#pragma once

#include "LogBookZL.h"
#include "LogPage.h"

// The Log page of the Zelnar main dialog; it hands the measurement lines to the Display page.
class LogZL : public CLogPage
{
    Q_OBJECT
public:
    static constexpr int kTemplateId = 134;

    explicit LogZL(LogClock clock = LocalTimeClock(), QWidget* parent = nullptr);
};
