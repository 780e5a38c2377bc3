#include "MeterFamily.h"

#include "QuorinMeter.h"
#include "RecorderOptions.h"
#include "ZelnarMeter.h"

std::unique_ptr<CMeterFamily> CMeterFamily::Make(MeterFamily family)
{
    if (family == MeterFamily::Quorin)
        return std::make_unique<CQuorinMeter>();
    return std::make_unique<CZelnarMeter>();
}
