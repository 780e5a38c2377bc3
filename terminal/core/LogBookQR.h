#pragma once

#include "LogBook.h"

// The Quorin Log page: lists received lines and hands every complete line to the Display page.
class CLogBookQR final : public CLogBook
{
public:
    static constexpr CSaveFileDialog kTextDialog{"txt", "LogQR", "Text Files (*.txt)"};
    static constexpr CSaveFileDialog kExcelDialog{"csv", "LogQR Excel", "Text Files (*.csv)"};

    explicit CLogBookQR(LogClock clock = LocalTimeClock());

    void OnData() override;
};
