#pragma once

#include "DisplayReading.h"
#include "LogBookQR.h"
#include "MeterFamily.h"

// The Quorin road: the Quorin reply assembly, Log cutting and Display decoding.
class CQuorinMeter final : public CMeterFamily
{
public:
    CParameterCommand Get() override;
    std::string_view LastListingKey() const override { return "OF"; }
    void GetDone(const std::string& listing) override;
    std::span<const CWriteStep> CommandSteps(const std::string& command) override;
    std::span<const CWriteStep> StopSteps() override;
    void Dispatch(std::string_view chunk, std::int64_t timeMs, CReplyPage& classic) override;
    void SetReadingHandler(ReadingHandler handler) override { m_display.handler = std::move(handler); }

private:
    CLogBookQR m_log;
    CReadingPage<CQuorinDisplayReading> m_display;
};
