#pragma once

// The four switching points of a window alarm: the output changes state a half hysteresis
// inside or outside the window's edges, so a value that trembles at an edge does not make
// it flicker.
struct CAlarmWindow
{
    double lowOff = 0;
    double lowOn = 0;
    double highOn = 0;
    double highOff = 0;
};

enum class AlarmMode
{
    OnInside,  // on while the value is inside the window
    OnOutside, // on while the value is outside the window
};

// Zelnar alarm: begin w, width x, hysteresis y.
CAlarmWindow ZelnarAlarmWindow(double w, double x, double y);
// Quorin alarm: begin AC, width AW, hysteresis |AH|.
CAlarmWindow QuorinAlarmWindow(double AC, double AW, double AH);

// One switching output (0 off, 1 on) with the state it had after the last valid measurement.
class CAlarmSwitch
{
public:
    bool IsOn() const { return m_bOn; }
    void SetOn(bool on) { m_bOn = on; }

    // One measured value: an output that is off may switch on, and one that is on (also one
    // that has just switched on) may switch off.
    void Switch(double value, const CAlarmWindow& window, AlarmMode mode);

    void SaveState() { m_bSavedOn = m_bOn; }
    void RestoreSavedState() { m_bOn = m_bSavedOn; }

private:
    bool m_bOn = false;
    bool m_bSavedOn = false;
};
