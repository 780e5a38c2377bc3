#pragma once

#include "DisplayPage.h"
#include "DisplayReading.h"
#include "QuorinDisplayView.h"

#include <array>

class CAlarmLamp;
class CColorStatic;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// The Display page of the Quorin main dialog: the distance (or the device's error text) as
// sent, the temperature, the Q1 alarm lamp, the analog output current on the gauge, and the
// "Error Count" panel with a count and a help text for every error code. The decoding and its
// state belong to g_DisplayQR.
class DisplayQR : public CDisplayPage
{
    Q_OBJECT
public:
    static constexpr int kTemplateId = 156;

    explicit DisplayQR(QWidget* parent = nullptr);

    // Decodes g_strQuorinLine: counts, alarm, current and graph point change at once; the
    // controls at the next ShowPending.
    void OnData() override;
    void ShowPending() override;

private:
    QWidget* MeasurementBox();
    QWidget* ErrorCountBox();
    void OnHelp(std::size_t code);
    void OnClearErrors();

    CColorStatic* m_pDistance;
    QLabel* m_pDistanceUnit;
    QLabel* m_pTemperature;
    CAlarmLamp* m_pQ1;
    std::array<QLineEdit*, QuorinErrorCodes.size()> m_counts{};
    QPlainTextEdit* m_pExplanation;
    CQuorinDisplayView m_view;
    CQuorinDisplayReading m_decoding; // while readings are taken
};
