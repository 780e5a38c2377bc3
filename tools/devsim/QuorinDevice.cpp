#include "QuorinDevice.h"

#include "DeviceText.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int kTooWeak = 15;
constexpr double kShortRange = 7.0; // m: the reach of DS

} // namespace

CQuorinDevice::CQuorinDevice(std::uint32_t seed) : CDevice(seed)
{
    using T = CParameterTable;
    CQuorinParameterSet& p = m_parameters;
    const auto distance = [](double& field) { return T::Distance(field, 9999.999); };
    m_parameterTable.Add(
        "RM", {T::Integer(p.RMx, 0, 99), T::Integer(p.RMy, 0, 9999), T::Integer(p.RMz, 0, 99)});
    m_parameterTable.Add("ST", {T::Integer(p.ST, 0, 25)});
    m_parameterTable.Add("SA", {T::Integer(p.SA, 1, 20)});
    m_parameterTable.Add("TD", {T::Integer(p.TDx, 0, 9999), T::Integer(p.TDy, 0, 1)});
    m_parameterTable.Add("SF", {T::Real(p.SF, 6, -10, 10, 0.001)});
    m_parameterTable.Add("OF", {distance(p.OF)});
    m_parameterTable.Add("TM", {T::Integer(p.TMx, 0, 1), T::Integer(p.TMy, 0, 1)});
    m_parameterTable.Add("SD", {T::Choice(p.SD, {"d", "h"}, true)});
    m_parameterTable.Add("SE", {T::Integer(p.SE, 0, 2)});
    for (const auto& [key, field] :
         {std::pair{"RB", &p.RB}, {"RE", &p.RE}, {"AC", &p.AC}, {"AW", &p.AW}, {"AH", &p.AH}})
        m_parameterTable.Add(key, {distance(*field)});
    m_parameterTable.Add("AS",
                         {T::Choice(p.AS, {"DF", "DM", "DS", "DT", "DW", "DX", "ID", "LO", "TP"})});

    AddCommand("ID", [] { return std::string("Telvan Quorin T2 V2.4.1 SN 204711\r\n"); });
    AddMeasuringCommands({"DT", "DF", "DS", "DW", "DX"}, {"DM"});
    AddSharedCommands(m_parameters.SF, m_parameters.OF);
    AddCommand("LO", [this] {
        m_bLaser = true;
        return std::string("ok\r\n");
    });
    AddCommand("LF", [this] {
        m_bLaser = false;
        return std::string("ok\r\n");
    });
    AddCommand("PR", [this] {
        m_parameters = CQuorinParameterSet{};
        return std::string("ok\r\n");
    });
}

std::chrono::microseconds CQuorinDevice::Interval(std::string_view command) const
{
    using std::chrono::milliseconds;
    const int st = m_parameters.ST;
    if (command == "DT" || command == "DM")
        return milliseconds(st == 0 ? 160 : 240 * st);
    if (command == "DS")
        return milliseconds(st == 0 ? 100 : 150 * st);
    if (command == "DX")
        return milliseconds(20);
    return milliseconds(100); // DW at 10 Hz; DF triggered ten times a second
}

std::string CQuorinDevice::ErrorReply(int code) const
{
    char text[16];
    std::snprintf(text, sizeof text, "E%02d  \r\n", code);
    return text;
}

std::string CQuorinDevice::Measure(std::string_view command, int error)
{
    const CSample sample =
        m_profile.Measure(std::chrono::duration<double>(Interval(command)).count());
    if (!error && (sample.lost || (command == "DS" && sample.distance > kShortRange)))
        error = kTooWeak;
    if (error)
        return ErrorReply(error);
    const double distance = sample.distance * m_parameters.SF + m_parameters.OF;
    if (m_parameters.SD == "h") {
        // Millimetres in 32-bit two's complement; positive values leave out the leading 0.
        const long long mm = std::llround(distance * 1000);
        return FormatHex(mm, mm < 0 ? 8 : 7) + "\r\n";
    }
    return FormatPadded(distance, 7, 3, false) + "\r\n";
}

std::string CQuorinDevice::Listing() const
{
    const CQuorinParameterSet& p = m_parameters;
    const auto values = [this](const char* key) { return m_parameterTable.Values(key); };
    return Lines({
        "Quorin parameter set",
        Labelled("SA[n] Average", ']', 18) + values("SA") + " (averaged)",
        Labelled("SD[-] Format", ']', 17) + p.SD + (p.SD == "h" ? " (hexadecimal)" : " (decimal)"),
        Labelled("ST[n] Measuring time", ']', 19) + values("ST") + " (x 240 ms)",
        Labelled("SF[-] Scale factor", ']', 19) + values("SF") + " (scale)",
        Labelled("SE[-] Error mode", ']', 21) + values("SE"),
        Labelled("AC[m] Alarm begin", ']', 19) + values("AC"),
        Labelled("AH[m] Hysteresis", ']', 16) + values("AH"),
        Labelled("AW[m] Alarm width", ']', 20) + values("AW") + " (distance)",
        Labelled("RB[m] Begin", ']', 10) + values("RB") + " (4 mA, distance)",
        Labelled("RE[m] End", ']', 9) + values("RE") + " (20 mA, range)",
        Labelled("RM[n] Filter", ']', 12) + values("RM") + " (filter)",
        Labelled("TD[ms]", ']', 3) + values("TD") + " (trigger delay, level)",
        Labelled("TM[-]", ']', 4) + values("TM") + " (mode, flank)",
        Labelled("BR[Bd] Serial baud rate", ']', 22) + std::to_string(p.BR) + " baud",
        Labelled("AS[-] Autostart", ']', 14) + p.AS + "    (autostart)",
        Labelled("OF[m] Offset", ']', 16) + values("OF"),
    });
}
