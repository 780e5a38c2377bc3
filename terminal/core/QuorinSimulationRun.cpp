#include "QuorinSimulationRun.h"

#include "ParameterTexts.h"
#include "Strings.h"
#include "TerminalState.h"

#include <algorithm>
#include <cmath>

CQuorinSimulationRun::CQuorinSimulationRun(const CQuorinParameters& record, SimulationNoise noise)
    : CSimulationRun(std::move(noise)), m_record(record)
{
}

std::string CQuorinSimulationRun::Refusal() const
{
    // Without an average there is no noise, and without a scale factor no distance.
    return m_record.SA <= 0 || m_record.SF == 0 ? ParameterTexts::QuorinSimulatedZero : "";
}

void CQuorinSimulationRun::Prepare()
{
    m_steps = RampSteps();
    m_count = static_cast<int>(std::max(0LL, 2 * m_steps + 1));
    const double SA = m_record.SA;
    m_waitMs = ClampWait(m_record.ST == 0 ? SA * 25 : m_record.ST * SA * 50);
    m_min = g_dSimMin;
    m_max = g_dSimMax;
    m_errors = g_bSimErrors;
    m_SF = m_record.SF;
    m_OF = m_record.OF;
    m_noiseScale = std::sqrt(SA) * 1000;
}

std::string& CQuorinSimulationRun::LineVariable() const
{
    return g_strQuorinLine;
}

std::string CQuorinSimulationRun::Line(int position)
{
    if (position < 2 || m_steps <= 0)
        return {};
    // Rising lines hold positions 2 to n, falling lines n + 1 to 2n.
    const bool rising = position <= m_steps;
    const long long i = rising ? position - 1 : position - m_steps;
    const double distance = rising ? m_min + i * 0.01 : m_max - i * 0.01;
    const double exact = distance * m_SF + m_OF;
    const double value = exact + (Draw() % 10) / m_noiseScale;
    if (m_errors && m_steps / 2 < i && i < 3 * m_steps / 4)
        return "E15  ";
    return FormatLine(value, exact < 0);
}

std::string CQuorinSimulationRun::RestLine() const
{
    const double value = m_record.SF * g_dSimMin + m_record.OF;
    return FormatLine(value, value < 0);
}

std::string CQuorinSimulationRun::FormatLine(double value, bool negative)
{
    std::string line = FormatString("%.3lf", std::fabs(value));
    const std::size_t sign = negative ? 1 : 0;
    if (negative)
        line.insert(0, 1, '-');
    if (line.size() < 7)
        line.insert(sign, 7 - line.size(), '0');
    return line;
}
