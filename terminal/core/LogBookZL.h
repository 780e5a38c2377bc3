#pragma once

#include "LogBook.h"

// The Zelnar Log page: lists received lines, or the entry the Display page built for a binary
// record, and hands every measurement line ("D" or "H") to the Display page.
class CLogBookZL final : public CLogBook
{
public:
    static constexpr CSaveFileDialog kTextDialog{"txt", "Log", "Text Files (*.txt)"};
    static constexpr CSaveFileDialog kExcelDialog{"csv", "Log Excel", "Text Files (*.csv)"};

    explicit CLogBookZL(LogClock clock = LocalTimeClock());

    void OnData() override;
};
