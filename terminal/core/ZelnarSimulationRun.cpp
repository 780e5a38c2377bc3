#include "ZelnarSimulationRun.h"

#include "ParameterTexts.h"
#include "Strings.h"
#include "TerminalState.h"

#include <array>
#include <cmath>

namespace {

constexpr std::array<const char*, 4> Suffixes = {"", " 01500", " +29.9", " 01500 +29.9"};

std::string Suffix(int SDy)
{
    return SDy >= 0 && SDy < static_cast<int>(Suffixes.size())
               ? Suffixes[static_cast<std::size_t>(SDy)]
               : "";
}

} // namespace

CZelnarSimulationRun::CZelnarSimulationRun(const CZelnarParameters& record, SimulationNoise noise)
    : CSimulationRun(std::move(noise)), m_record(record)
{
}

std::string CZelnarSimulationRun::Refusal() const
{
    // Without frequency and average there is no pace and no noise.
    return m_record.MF <= 0 || m_record.SA <= 0 ? ParameterTexts::ZelnarSimulatedZero : "";
}

void CZelnarSimulationRun::Prepare()
{
    m_steps = RampSteps();
    m_count = m_steps < 0 ? 0 : static_cast<int>(2 * (m_steps + 1));
    m_waitMs = ClampWait(1000.0 * m_record.SA / m_record.MF);
    m_min = g_dSimMin;
    m_max = g_dSimMax;
    m_errors = g_bSimErrors;
    m_SF = m_record.SF;
    m_OF = m_record.OF;
    m_MWx = m_record.MWx;
    m_MWy = m_record.MWy;
    m_SDy = m_record.SDy;
    m_noiseScale = std::sqrt(static_cast<double>(m_record.SA)) * 100;
}

std::string& CZelnarSimulationRun::LineVariable() const
{
    return g_strMeasLine;
}

std::string CZelnarSimulationRun::Line(int position)
{
    const bool rising = position <= m_steps;
    const long long i = rising ? position : position - (m_steps + 1);
    const double distance = rising ? m_min + i * 0.01 : m_max - i * 0.01;
    const double value = distance * m_SF + m_OF + (Draw() % 6) / m_noiseScale;
    const long long ordinal = i + 1;
    const bool errorStretch = m_errors && m_steps / 2 < ordinal && ordinal < 3 * m_steps / 4;
    if (errorStretch || value < m_MWx || value > m_MWy)
        return ErrorLine(m_SDy);
    return FormatLine(value, m_SDy);
}

std::string CZelnarSimulationRun::RestLine() const
{
    return FormatLine(m_record.SF * g_dSimMin + m_record.OF, m_record.SDy);
}

std::string CZelnarSimulationRun::FormatLine(double value, int SDy)
{
    const std::string number = FormatString("%.3lf", std::fabs(value));
    std::string line = value < 0 ? "-" : " ";
    while (line.size() + number.size() < 9)
        line += '0';
    return line + number + Suffix(SDy);
}

std::string CZelnarSimulationRun::ErrorLine(int SDy)
{
    return "E02      " + Suffix(SDy);
}
