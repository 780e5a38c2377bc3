#include "DisplayReading.h"

#include "LeadingNumber.h"
#include "MeasurementUnits.h"
#include "ParameterRecords.h"
#include "QuorinErrorCodes.h"
#include "ReplyAssembly.h"
#include "TerminalState.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr double kThousandths = 1000.0;
constexpr double kTenths = 10.0;
constexpr std::size_t kLongestHexField = 8;

std::string_view TrimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A device error in place of a value: "E", one or two digits, then a blank or the end.
std::string_view ErrorCode(std::string_view field)
{
    field = TrimBlanks(field);
    std::size_t digits = 0;
    while (1 + digits < field.size() && digits < 2 && IsDigit(field[1 + digits]))
        ++digits;
    const bool closed = 1 + digits == field.size() || field[1 + digits] == ' ';
    if (field.empty() || field[0] != 'E' || digits == 0 || !closed)
        return {};
    return field.substr(0, 1 + digits);
}

std::optional<double> DecimalValue(std::string_view text)
{
    std::size_t used = 0;
    const double value = LeadingNumber(text, used);
    if (used == 0 || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A field of hexadecimal digits; signed fields are two's complement of the field's width.
std::optional<double> HexValue(std::string_view text, bool isSigned)
{
    text = TrimBlanks(text);
    if (text.empty() || text.size() > kLongestHexField)
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        int digit = 0;
        if (IsDigit(c))
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return std::nullopt;
        value = value * 16 + digit;
    }
    const std::int64_t range = std::int64_t{1} << (4 * text.size());
    if (isSigned && value >= range / 2)
        value -= range;
    return static_cast<double>(value);
}

std::optional<double> Scaled(std::optional<double> value, double divisor)
{
    if (value)
        *value /= divisor;
    return value;
}

void StartReading(CReading& reading, std::string_view line)
{
    reading.distance.reset();
    reading.speed.reset();
    reading.strength.reset();
    reading.temperature.reset();
    reading.error.clear();
    reading.q1.reset();
    reading.q2.reset();
    reading.current.reset();
    reading.distanceUnit = {};
    reading.speedUnit = {};
    reading.temperatureUnit = {};
    reading.line.assign(line.data(), line.size());
}

void TakeZelnarError(const CZelnarDisplayResult& result, CReading& reading)
{
    if (result.bE02Counted)
        reading.error = "E02";
    else if (result.bE04Counted)
        reading.error = "E04";
    else
        reading.error = ErrorCode(result.strDistance);
}

} // namespace

bool ZelnarReading(const CZelnarDisplayResult& result, int SDx, double SF, std::string_view line,
                   CReading& reading)
{
    if (result.strDistance.empty())
        return false;
    StartReading(reading, line);
    TakeZelnarError(result, reading);
    const bool valid = reading.error.empty();
    if (SDx == 0) {
        if (valid) {
            reading.distance = DecimalValue(result.strDistance);
            reading.speed = DecimalValue(result.strSpeed);
        }
        reading.strength = DecimalValue(result.strStrength);
        reading.temperature = DecimalValue(result.strTemperature);
        reading.q1 = result.bQ1On;
        reading.q2 = result.bQ2On;
        if (result.bSetGauge)
            reading.current = result.dCurrent;
    } else if (SDx == 1) {
        if (valid) {
            reading.distance = Scaled(HexValue(result.strDistance, true), kThousandths);
            reading.speed = Scaled(HexValue(result.strSpeed, true), kThousandths);
        }
        reading.strength = HexValue(result.strStrength, false);
        reading.temperature = Scaled(HexValue(result.strTemperature, true), kTenths);
    }
    if (SDx != kBinaryOutput) {
        reading.distanceUnit = DistanceUnit(SF);
        reading.speedUnit = SpeedUnit(SF);
        reading.temperatureUnit = TemperatureUnit;
    }
    return true;
}

bool QuorinReading(const CQuorinDisplayResult& result, std::string_view format, double SF,
                   std::string_view line, CReading& reading)
{
    if (!result.bSetDistance)
        return false;
    StartReading(reading, line);
    if (result.nCountedCode >= 0)
        reading.error = QuorinErrorCodes[static_cast<std::size_t>(result.nCountedCode)].strCode;
    else
        reading.error = ErrorCode(result.strDistance);
    const bool valid = reading.error.empty();
    if (format == "d") {
        if (valid)
            reading.distance = DecimalValue(result.strDistance);
        reading.q1 = result.bQ1On;
        if (result.bSetGauge)
            reading.current = result.dCurrent;
    } else if (valid) {
        reading.distance = Scaled(HexValue(result.strDistance, true), kThousandths);
    }
    reading.distanceUnit = DistanceUnit(SF);
    return true;
}

const CZelnarDisplayResult& CZelnarDisplayReading::Decode(CReading& reading)
{
    const int SDx = ZelnarParameters.SDx;
    if (SDx != kBinaryOutput)
        m_strLine.assign(g_strMeasLine);
    const CZelnarDisplayResult& result = g_DisplayZL.OnData();
    const std::string_view line =
        SDx == kBinaryOutput ? std::string_view(result.strBinaryLogLine) : std::string_view(m_strLine);
    m_bTaken = ZelnarReading(result, SDx, ZelnarParameters.SF, line, reading);
    return result;
}

const CQuorinDisplayResult& CQuorinDisplayReading::Decode(CReading& reading)
{
    m_strLine.assign(g_strQuorinLine);
    m_strFormat.assign(g_strQuorinFormat);
    const CQuorinDisplayResult& result = g_DisplayQR.OnData();
    m_bTaken = QuorinReading(result, m_strFormat, QuorinParameters.SF, m_strLine, reading);
    return result;
}
