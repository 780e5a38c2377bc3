#include "LogZL.h"

LogZL::LogZL(LogClock clock, QWidget* parent)
    : CLogPage(std::make_unique<CLogBookZL>(std::move(clock)),
               {1066, 1148, 1149, 1101, 1171, 1095, 1170, "Save Excel"}, CLogBookZL::kTextDialog,
               CLogBookZL::kExcelDialog, parent)
{
}
