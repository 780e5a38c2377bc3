#include "ZelnarDevice.h"

#include "DeviceText.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int kNoTarget = 2;
constexpr double kTriggerPeriod = 0.1; // s: DF is triggered ten times a second

// The text fields of one reply, or the byte fields of one binary record.
struct CFields
{
    std::string speed; // empty when the reply carries no speed
    std::string distance;
    std::string strength;
    std::string temperature;
};

std::string ErrorText(int error, int width)
{
    char code[8];
    std::snprintf(code, sizeof code, "E%02d", error);
    return std::string(code) + std::string(width - 3, ' ');
}

long long Thousandths(double value)
{
    return std::llround(value * 1000);
}

// Decimal: values in the unit the scale factor makes, nine characters with the point at 5.
bool FitsDecimal(double value)
{
    return std::fabs(value) < 9999.9995;
}

CFields DecimalFields(const CSample& sample, double distance, double speed, bool withSpeed,
                      int error)
{
    const auto value = [&](double v) {
        return error ? ErrorText(error, 9) : FormatPadded(v, 9, 3, true);
    };
    char strength[16];
    std::snprintf(strength, sizeof strength, "%05d", error ? 0 : sample.strength);
    return {withSpeed ? value(speed) : "", value(distance), strength,
            FormatPadded(sample.temperature, 5, 1, true)};
}

// Hexadecimal: thousandths of the unit (mm, mm/s), tenths of a degree, two's complement.
bool FitsHex(double value)
{
    return FitsSigned(Thousandths(value), 24);
}

CFields HexFields(const CSample& sample, double distance, double speed, bool withSpeed, int error)
{
    const auto value = [&](double v) {
        return error ? ErrorText(error, 6) : FormatHex(Thousandths(v), 6);
    };
    return {withSpeed ? value(speed) : "", value(distance),
            FormatHex(error ? 0 : sample.strength, 4),
            FormatHex(std::llround(sample.temperature * 10), 3)};
}

// Binary: only a record's first byte has its top bit set. A 24-bit field carries the error
// flag in bit 6 of its first byte and 20 bits of value in the 6 + 7 + 7 bits below; an error
// field is its code, "E" and "R".
bool FitsBinary(double value)
{
    return FitsSigned(Thousandths(value), 20);
}

std::string BinaryField(double value, int error, bool first)
{
    const char start = first ? '\x80' : '\0';
    if (error)
        return {static_cast<char>(start | 0x40 | (error & 0x3F)), 'E', 'R'};
    const long long v = Thousandths(value);
    return {static_cast<char>(start | ((v >> 14) & 0x3F)), static_cast<char>((v >> 7) & 0x7F),
            static_cast<char>(v & 0x7F)};
}

CFields BinaryFields(const CSample& sample, double distance, double speed, bool withSpeed,
                     int error)
{
    const long long temperature = std::llround(sample.temperature * 10);
    // Strength in steps of 25, so that it fits into seven bits.
    return {withSpeed ? BinaryField(speed, error, true) : "",
            BinaryField(distance, error, !withSpeed),
            std::string(1, static_cast<char>(error ? 0 : std::min(sample.strength / 25, 127))),
            {static_cast<char>((temperature >> 7) & 0x7F), static_cast<char>(temperature & 0x7F)}};
}

} // namespace

CZelnarDevice::CZelnarDevice(std::uint32_t seed) : CDevice(seed)
{
    using T = CParameterTable;
    CZelnarParameterSet& p = m_parameters;
    const auto distance = [](double& field) { return T::Distance(field, 99999.999); };
    m_parameterTable.Add("MF", {T::Integer(p.MF, 1, 50000)});
    m_parameterTable.Add("SA", {T::Integer(p.SA, 1, 9999)});
    m_parameterTable.Add(
        "TD", {T::Real(p.TDx, 2, 0, 9999.99), T::Integer(p.TDy, 0, 1), T::Integer(p.TDz, 0, 9)});
    m_parameterTable.Add("SF", {T::Real(p.SF, 6, -100, 100, 0.000001)});
    m_parameterTable.Add("OF", {distance(p.OF)});
    m_parameterTable.Add("MW", {distance(p.MWx), distance(p.MWy)});
    m_parameterTable.Add(
        "Q1", {distance(p.Q1w), distance(p.Q1x), distance(p.Q1y), T::Integer(p.Q1z, 0, 1)});
    m_parameterTable.Add(
        "Q2", {distance(p.Q2w), distance(p.Q2x), distance(p.Q2y), T::Integer(p.Q2z, 0, 1)});
    m_parameterTable.Add("QA", {distance(p.QAx), distance(p.QAy)});
    m_parameterTable.Add("PL", {T::Integer(p.PL, 0, 3)});
    m_parameterTable.Add("SE", {T::Integer(p.SE, 0, 2)});
    m_parameterTable.Add("SC", {T::Integer(p.SC, 0, 1)});
    m_parameterTable.Add("SD", {T::Integer(p.SDx, 0, 2), T::Integer(p.SDy, 0, 3)});
    m_parameterTable.Add("AS", {T::Choice(p.AS, {"ID", "DM", "DT", "DF", "VM", "VT"})});

    AddCommand("ID", [] { return std::string("Telvan Zelnar ZL-30 V1.3.9 SN 104711\r\n"); });
    AddCommand("HW", [this] {
        return "Laser current   38.5 mA ok\r\nAPD voltage    182.0 V  ok\r\n"
               "Supply voltage  24.0 V  ok\r\nTemperature   " +
               FormatPadded(m_profile.Temperature(), 5, 1, true) + " C  ok\r\n";
    });
    AddMeasuringCommands({"DT", "DF", "VT"}, {"DM", "VM"});
    AddCommand("DR", [this] {
        StopStream();
        return Run(m_parameters.AS);
    });
    AddSharedCommands(m_parameters.SF, m_parameters.OF);
    AddCommand("PR", [this] {
        m_parameters = CZelnarParameterSet{};
        return std::string("ok\r\n");
    });
}

double CZelnarDevice::MeasuringTime(std::string_view command) const
{
    if (command == "DF")
        return kTriggerPeriod;
    return static_cast<double>(m_parameters.SA) / m_parameters.MF;
}

std::chrono::microseconds CZelnarDevice::Interval(std::string_view command) const
{
    return std::chrono::microseconds(std::llround(MeasuringTime(command) * 1e6));
}

std::string CZelnarDevice::ErrorReply(int code) const
{
    return ErrorText(code, 3) + "\r\n";
}

std::string CZelnarDevice::Measure(std::string_view command, int error)
{
    const CZelnarParameterSet& p = m_parameters;
    const bool withSpeed = command == "VT" || command == "VM";
    const CSample sample = m_profile.Measure(MeasuringTime(command));
    const double distance = sample.distance * p.SF + p.OF;
    const double speed = sample.speed * p.SF;
    const auto fits = p.SDx == 0 ? FitsDecimal : p.SDx == 1 ? FitsHex : FitsBinary;
    if (!error && (sample.lost || distance < p.MWx || distance > p.MWy || !fits(distance) ||
                   (withSpeed && !fits(speed))))
        error = kNoTarget;

    const auto fields = p.SDx == 0 ? DecimalFields : p.SDx == 1 ? HexFields : BinaryFields;
    const CFields f = fields(sample, distance, speed, withSpeed, error);
    const std::string separator = p.SDx == 2 ? "" : " ";
    std::string reply = p.SDx == 0 ? "D" : p.SDx == 1 ? "H" : "";
    if (withSpeed)
        reply += f.speed + separator;
    reply += f.distance;
    if (p.SDy == 1 || p.SDy == 3)
        reply += separator + f.strength;
    if (p.SDy == 2 || p.SDy == 3)
        reply += separator + f.temperature;
    return p.SDx == 2 ? reply : reply + "\r\n";
}

std::string CZelnarDevice::Listing() const
{
    const CZelnarParameterSet& p = m_parameters;
    const auto values = [this](const char* key) { return m_parameterTable.Values(key); };
    const int valuesPerLine = 1 + (p.SDy == 1 || p.SDy == 3) + (p.SDy == 2 || p.SDy == 3);
    return Lines({
        "Zelnar parameter set",
        Labelled("MF[Hz] Freq", 'M', 15) + values("MF") + " (measuring frequency)",
        Labelled("TD[ms]", 'T', 8) + FormatDecimal(p.TDx, 2) +
            " ms, level/mode sync:" + std::to_string(p.TDy) + ' ' + std::to_string(p.TDz),
        Labelled("SA[n] Average", ']', 17) + values("SA") + " samples",
        Labelled("SF[-] Scale factor", ']', 18) + values("SF") + " multiplier",
        Labelled("MW[m] Window", ']', 16) + values("MW") + " distance",
        Labelled("OF[m] Offset", ']', 15) + values("OF") + " meter",
        Labelled("SE[-] Error mode", ']', 20) + values("SE") + " (mode)",
        Labelled("Q1[m] Alarm 1", ']', 19) + values("Q1") + " (begin width hysteresis mode)",
        Labelled("Q2[m] Alarm 2", ']', 19) + values("Q2") + " (begin width hysteresis mode)",
        Labelled("QA[m] Analog out", ']', 20) + values("QA") + " (4 mA, 20 mA)",
        Labelled("BR[Bd] Baud", ']', 11) + std::to_string(p.BR) + " RS-232",
        "SD[-] Output format (" + std::to_string(p.SDx) + ") selection (" + std::to_string(p.SDy) +
            ") values (" + std::to_string(valuesPerLine) + ")",
        "SC[-] SSI code (" + values("SC") + ")",
        Labelled("PL[-] Pilot laser", ']', 18) + values("PL") + " (0 off, 1 on, 2 and 3 blinking)",
        Labelled("AS[-] Autostart", ']', 13) + p.AS,
    });
}
