#pragma once

#include "DisplayPage.h"
#include "DisplayReading.h"
#include "ZelnarDisplayView.h"

class CAlarmLamp;
class CColorStatic;
class QLabel;
class QLineEdit;
class QProgressBar;

// The Display page of the Zelnar main dialog: distance, speed, temperature and signal strength
// as the device sent them, the two alarm lamps, the analog output current on the gauge and the
// counts of the device's error codes. The decoding and its state belong to g_DisplayZL.
class DisplayZL : public CDisplayPage
{
    Q_OBJECT
public:
    static constexpr int kTemplateId = 132;

    explicit DisplayZL(QWidget* parent = nullptr);

    // Decodes g_strMeasLine: counts, alarms, current and graph points change at once; the
    // controls at the next ShowPending.
    void OnData() override;
    void ShowPending() override;

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
    QLineEdit* m_pE02;
    QLineEdit* m_pE04;
    CZelnarDisplayView m_view;
    CZelnarDisplayReading m_decoding; // while readings are taken
};
