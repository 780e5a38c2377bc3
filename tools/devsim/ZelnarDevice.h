#pragma once

#include "Device.h"

#include <cstdint>
#include <string>

// The parameters a Zelnar device keeps; the values are those of a device fresh from PR.
struct CZelnarParameterSet
{
    std::string AS = "ID"; // autostart command, run on DR
    int PL = 0;            // pilot laser: 0 off, 1 on, 2 and 3 blinking
    int SE = 0;            // error mode
    int SC = 0;            // SSI code format
    int SDx = 0;           // output format: 0 decimal, 1 hexadecimal, 2 binary
    int SDy = 0;           // output selection: 1 adds the strength, 2 the temperature, 3 both
    int MF = 2000;         // measuring frequency in Hz
    int SA = 20;           // values averaged into one reply
    double TDx = 0;        // trigger delay in ms
    int TDy = 0;           // trigger level
    int TDz = 0;           // trigger mode
    double SF = 1;         // scale factor
    double OF = 0;         // offset
    double MWx = -5000;    // measuring window: readings outside it are answered with E02
    double MWy = 5000;
    double Q1w = 5, Q1x = 4, Q1y = 0; // alarm 1: begin, width, hysteresis
    int Q1z = 1;                      // alarm 1 level
    double Q2w = 12, Q2x = 6, Q2y = 1;
    int Q2z = 1;
    double QAx = 0;  // distance at 4 mA
    double QAy = 20; // distance at 20 mA
    int BR = 115200;

    bool operator==(const CZelnarParameterSet&) const = default;
};

// A Zelnar device: decimal, hexadecimal and binary output of distance and speed.
class CZelnarDevice : public CDevice
{
public:
    explicit CZelnarDevice(std::uint32_t seed);

    const CZelnarParameterSet& Parameters() const { return m_parameters; }
    std::string Listing() const override;

protected:
    std::string Measure(std::string_view command, int error) override;
    std::chrono::microseconds Interval(std::string_view command) const override;
    std::string ErrorReply(int code) const override;

private:
    double MeasuringTime(std::string_view command) const;

    CZelnarParameterSet m_parameters;
};
