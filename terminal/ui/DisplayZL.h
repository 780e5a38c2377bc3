#pragma once

#include "ReplyPage.h"
#include "ZelnarDisplayView.h"

#include <QWidget>

class CAlarmLamp;
class CAnalogGauge;
class CColorStatic;
class QLabel;
class QLineEdit;
class QProgressBar;

// The Display page of the Zelnar main dialog: distance, speed, temperature and signal strength
// as the device sent them, the two alarm lamps, the analog output current on the gauge and the
// counts of the device's error codes. The decoding and its state belong to g_DisplayZL.
//
// Lines may arrive by the hundred per second: OnData only decodes and keeps what the controls
// are to show, and ShowPending, called on the main dialog's timer, puts it on them.
class DisplayZL : public QWidget, public CReplyPage
{
    Q_OBJECT
public:
    static constexpr int kTemplateId = 132;

    explicit DisplayZL(QWidget* parent = nullptr);

    // Decodes g_strMeasLine: counts, alarms, current and graph points change at once; the
    // controls at the next ShowPending, or at once while simulating.
    void OnData() override;
    // Shows what the lines since the last call changed.
    void ShowPending();

    CAnalogGauge& Gauge() const { return *m_pGauge; }

signals:
    // While simulating, every decoded line is shown on the graphs at once.
    void RedrawGraphs();

protected:
    // Escape and Enter on the page do nothing.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnClear();

    CColorStatic* m_pDistance;
    QLabel* m_pDistanceUnit;
    QLabel* m_pSpeed;
    QLabel* m_pSpeedUnit;
    CColorStatic* m_pTemperature;
    QLabel* m_pTemperatureUnit;
    CColorStatic* m_pStrength;
    QProgressBar* m_pStrengthBar;
    CAlarmLamp* m_pQ1;
    CAlarmLamp* m_pQ2;
    CAnalogGauge* m_pGauge;
    QLineEdit* m_pE02;
    QLineEdit* m_pE04;
    CZelnarDisplayView m_view;
};
