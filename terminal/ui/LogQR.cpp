#include "LogQR.h"

LogQR::LogQR(LogClock clock, QWidget* parent)
    : CLogPage(std::make_unique<CLogBookQR>(std::move(clock)),
               {1133, 1147, 1146, 1144, 1148, 1145, 1169, "SAVE EXCEL"}, CLogBookQR::kTextDialog,
               CLogBookQR::kExcelDialog, parent)
{
}
