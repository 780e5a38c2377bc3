#pragma once

#include "Device.h"

#include <cstdint>
#include <string>

// The parameters a Quorin device keeps; the values are those of a device fresh from PR.
struct CQuorinParameterSet
{
    std::string AS = "ID";         // autostart command
    int SE = 0;                    // error mode
    std::string SD = "d";          // output format: "d" decimal, "h" hexadecimal
    int RMx = 0, RMy = 0, RMz = 0; // filter: values evaluated, range, successive outliers
    int ST = 0;           // measuring time: 0 automatic, else n x 240 ms (DT), n x 150 ms (DS)
    int SA = 1;           // values averaged
    int TDx = 0;          // trigger delay in ms
    int TDy = 0;          // trigger level
    double SF = 1;        // scale factor
    double OF = 0;        // offset
    int TMx = 0, TMy = 0; // trigger mode, trigger flank
    double RB = 0;        // distance at 4 mA
    double RE = 20;       // distance at 20 mA
    double AC = 5;        // alarm begin
    double AW = 4;        // alarm width
    double AH = 0;        // alarm hysteresis, below 0 on outside the window
    int BR = 9600;

    bool operator==(const CQuorinParameterSet&) const = default;
};

// A Quorin device: decimal and hexadecimal distances and the E15 to E64 error replies.
class CQuorinDevice : public CDevice
{
public:
    explicit CQuorinDevice(std::uint32_t seed);

    const CQuorinParameterSet& Parameters() const { return m_parameters; }
    bool LaserOn() const { return m_bLaser; }
    std::string Listing() const override;

protected:
    std::string Measure(std::string_view command, int error) override;
    std::chrono::microseconds Interval(std::string_view command) const override;
    std::string ErrorReply(int code) const override;

private:
    CQuorinParameterSet m_parameters;
    bool m_bLaser = false; // pilot laser, LO and LF
};
