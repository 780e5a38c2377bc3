#include "SimulationRun.h"

#include "TerminalState.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

// A billion steps of 0.01 (10,000 km) keep 2n + 2 positions within an int.
constexpr double MaxRampSteps = 1e9;

} // namespace

unsigned StandardNoise()
{
    return static_cast<unsigned>(std::rand());
}

std::string CSimulationRun::Start()
{
    if (g_bSimRunning)
        return {};
    std::string refusal = Refusal();
    if (!refusal.empty())
        return refusal;
    Prepare();
    g_bSimRunning = true;
    g_bSimPause = false;
    g_bSimStop = false;
    m_position = g_nSimPosition;
    if (m_position < 0 || m_position >= m_count)
        End(false);
    return {};
}

bool CSimulationRun::Running()
{
    return g_bSimRunning;
}

CSimulationTick CSimulationRun::Tick()
{
    if (!g_bSimRunning)
        return {false, true};
    if (g_bSimPause) {
        End(true);
        return {false, true};
    }
    if (g_bSimStop) {
        End(false);
        LineVariable() = RestLine();
        return {true, true};
    }
    LineVariable() = Line(m_position++);
    if (m_position < m_count)
        return {true, false};
    End(false);
    return {true, true};
}

bool CSimulationRun::Pause()
{
    g_bSimPause = true;
    if (!g_bSimRunning)
        return false;
    End(true);
    return true;
}

bool CSimulationRun::Stop()
{
    g_bSimStop = true;
    if (g_bSimRunning)
        End(false);
    else if (g_nSimPosition != 0)
        g_nSimPosition = 0;
    else
        return false;
    LineVariable() = RestLine();
    return true;
}

long long CSimulationRun::RampSteps()
{
    const double steps = (g_dSimMax - g_dSimMin) * 100;
    if (!(steps > -1))
        return -1;
    return static_cast<long long>(std::min(steps, MaxRampSteps));
}

int CSimulationRun::ClampWait(double milliseconds)
{
    if (!(milliseconds > 0))
        return 0;
    return milliseconds >= INT_MAX ? INT_MAX : static_cast<int>(milliseconds);
}

void CSimulationRun::End(bool paused)
{
    g_nSimPosition = paused ? m_position : 0;
    g_bSimPause = false;
    g_bSimStop = false;
    g_bSimRunning = false;
}
