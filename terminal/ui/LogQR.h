#pragma once

#include "LogBookQR.h"
#include "LogPage.h"

// The Log page of the Quorin main dialog; it hands every complete line to the Display page.
class LogQR : public CLogPage
{
    Q_OBJECT
public:
    static constexpr int kTemplateId = 158;

    explicit LogQR(LogClock clock = LocalTimeClock(), QWidget* parent = nullptr);
};
