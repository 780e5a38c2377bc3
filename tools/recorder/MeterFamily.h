#pragma once

#include "DeviceCommands.h"
#include "ParameterCommand.h"
#include "Reading.h"
#include "ReplyPage.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

enum class MeterFamily;

// What differs between the two families on a recorder's road of readings: the Get with its
// listing, the measuring commands, and the reply assembly with the Log page's cutting and the
// Display page's decoding, which make a reading of every measurement line.
class CMeterFamily
{
public:
    using ReadingHandler = std::function<void(const CReading&)>;

    virtual ~CMeterFamily() = default;

    // Get as the main dialog starts it; the Display page's alarms are switched off already.
    virtual CParameterCommand Get() = 0;
    // The listing is whole when the line of this key has arrived: it is the one the listing's
    // parse reads last.
    virtual std::string_view LastListingKey() const = 0;
    virtual void GetDone(const std::string& listing) = 0;
    // What the command's button writes, and what Stop writes.
    virtual std::span<const CWriteStep> CommandSteps(const std::string& command) = 0;
    virtual std::span<const CWriteStep> StopSteps() = 0;

    // A chunk from the link, which arrived at timeMs, through the reply assembly to the Log
    // and Display decoding and to the classic page; every measurement goes to the handler.
    virtual void Dispatch(std::string_view chunk, std::int64_t timeMs, CReplyPage& classic) = 0;
    virtual void SetReadingHandler(ReadingHandler handler) = 0;

    // The Zelnar or the Quorin road.
    static std::unique_ptr<CMeterFamily> Make(MeterFamily family);
};

// The Display page of a recorder: decodes as the terminal's does (Decoding: the family's
// CZelnarDisplayReading or CQuorinDisplayReading) and hands every measurement on.
template <class Decoding>
struct CReadingPage final : CReplyPage
{
    void OnData() override
    {
        decoding.Decode(reading);
        if (decoding.Taken() && handler)
            handler(reading);
    }

    CMeterFamily::ReadingHandler handler;
    CReading reading;
    Decoding decoding;
};
