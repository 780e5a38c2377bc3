#pragma once

#include "DisplayReading.h"
#include "LogBookZL.h"
#include "MeterFamily.h"

// The Zelnar road: the Zelnar reply assembly, Log cutting and Display decoding.
class CZelnarMeter final : public CMeterFamily
{
public:
    CParameterCommand Get() override;
    std::string_view LastListingKey() const override { return "AS"; }
    void GetDone(const std::string& listing) override;
    std::span<const CWriteStep> CommandSteps(const std::string& command) override;
    std::span<const CWriteStep> StopSteps() override;
    void Dispatch(std::string_view chunk, std::int64_t timeMs, CReplyPage& classic) override;
    void SetReadingHandler(ReadingHandler handler) override { m_display.handler = std::move(handler); }

private:
    CLogBookZL m_log;
    CReadingPage<CZelnarDisplayReading> m_display;
};
