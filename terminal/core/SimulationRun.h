#pragma once

#include <functional>
#include <string>

// Draws the noise of one simulated line: any non-negative pseudo-random integer.
using SimulationNoise = std::function<unsigned()>;
// The standard library's generator.
unsigned StandardNoise();

// What one tick of the playback timer did.
struct CSimulationTick
{
    bool deliver = false; // the family's line variable holds a line: notify the Display page
    bool ended = false;   // the run is over: stop the timer
};

// A simulated run of the DT command, played line by line on the main dialog's timer. The
// family's class says which lines a run has and how fast they come; this class keeps the
// playback state in the simulation flags (g_bSimRunning, g_nSimPosition, g_bSimPause,
// g_bSimStop), so that a paused run resumes where it stopped, also with a new run object.
class CSimulationRun
{
public:
    explicit CSimulationRun(SimulationNoise noise) : m_noise(std::move(noise)) {}
    virtual ~CSimulationRun() = default;
    CSimulationRun(const CSimulationRun&) = delete;
    CSimulationRun& operator=(const CSimulationRun&) = delete;

    // DT: takes the parameters and the simulation settings and starts playing from
    // g_nSimPosition. Returns the text to show when the parameters allow no run; empty
    // otherwise. DT during a run is ignored. When Running() afterwards, tick every
    // LineWaitMs().
    std::string Start();
    static bool Running();
    int LineWaitMs() const { return m_waitMs; }

    // One line of the run into the line variable, after the wait.
    CSimulationTick Tick();
    // Pause: the run ends and keeps its position for the next DT. True when a run ended.
    bool Pause();
    // STOP: a running or paused run ends and the rest line goes into the line variable. True
    // when the rest line is to be delivered.
    bool Stop();

    // The run taken by the last Start: its number of lines and each line (drawing its noise).
    int LineCount() const { return m_count; }
    virtual std::string Line(int position) = 0;
    // The line shown after a stop: the start distance without noise.
    virtual std::string RestLine() const = 0;

protected:
    // The text that refuses a run with the current parameters, or empty.
    virtual std::string Refusal() const = 0;
    // Takes the parameters and settings of a run; sets m_count and m_waitMs.
    virtual void Prepare() = 0;
    virtual std::string& LineVariable() const = 0;
    unsigned Draw() { return m_noise(); }

    // Steps of 0.01 from the settings' minimum to their maximum, truncated toward zero, -1 when
    // the range is empty; bounded so that every position of a run fits an int.
    static long long RampSteps();
    static int ClampWait(double milliseconds);

    int m_count = 0;
    int m_waitMs = 0;

private:
    void End(bool paused);

    SimulationNoise m_noise;
    int m_position = 0;
};
