#pragma once

#include "Reading.h"
#include "ReplyPage.h"
#include "ShownValue.h"

#include <QWidget>

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

class CAlarmLamp;
class CAnalogGauge;
class CColorStatic;
class QLabel;
class QLineEdit;

// What the Display pages share. Lines may arrive by the hundred per second: OnData only
// decodes a line and keeps what the controls are to show, and ShowPending, called on the main
// dialog's timer, puts on them what changed. The analog output current stands on a gauge;
// Escape and Enter on the page do nothing.
class CDisplayPage : public QWidget, public CReplyPage
{
    Q_OBJECT
public:
    // Shows what the lines since the last call changed.
    virtual void ShowPending() = 0;

    CAnalogGauge& Gauge() const { return *m_pGauge; }

    using ReadingHandler = std::function<void(const CReading&)>;
    // Takes every line of the device decoded as a reading; simulated lines are none.
    void SetReadingHandler(ReadingHandler handler) { m_readingHandler = std::move(handler); }

signals:
    // While simulating, the lines shown ask for the graphs to be redrawn with them.
    void RedrawGraphs();

protected:
    // The gauge carries gaugeId and starts at current, in mA.
    CDisplayPage(QWidget* parent, int gaugeId, double current);

    // The "Analog Output" frame around the gauge, at least size pixels square.
    QWidget* AnalogOutputBox(int size);

    // Puts a value on its control when the control does not hold it yet. Texts and counts are
    // the device's bytes, units the terminal's own texts; red text tells a simulated line.
    static void ShowRedText(CShownValue<bool>& red, std::initializer_list<CColorStatic*> texts);
    static void ShowUnit(CShownValue<std::string_view>& unit, QLabel* label);
    static void ShowDeviceText(CShownValue<std::string>& text, QLabel* label);
    static void ShowDeviceText(CShownValue<std::string>& text, QLineEdit* edit);
    static void ShowLamp(CShownValue<bool>& on, CAlarmLamp* lamp);
    void ShowCurrent(CShownValue<double>& current);

    void keyPressEvent(QKeyEvent* event) override;

    // The line is copied before decoding empties it, and only while someone takes readings.
    bool TakesReadings() const { return static_cast<bool>(m_readingHandler); }
    // The reading, stamped with the time now, for the handler; nothing when decoded is false.
    CReading& Reading() { return m_reading; }
    void PassReading(bool decoded);

private:
    ReadingHandler m_readingHandler;
    CReading m_reading;
    CAnalogGauge* m_pGauge;
};
