#pragma once

#include "QuorinDisplayView.h"
#include "ReplyPage.h"

#include <QWidget>

#include <array>

class CAlarmLamp;
class CAnalogGauge;
class CColorStatic;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// The Display page of the Quorin main dialog: the distance (or the device's error text) as
// sent, the temperature, the Q1 alarm lamp, the analog output current on the gauge, and the
// "Error Count" panel with a count and a help text for every error code. The decoding and its
// state belong to g_DisplayQR.
//
// Lines may arrive by the hundred per second: OnData only decodes and keeps what the controls
// are to show, and ShowPending, called on the main dialog's timer, puts it on them.
class DisplayQR : public QWidget, public CReplyPage
{
    Q_OBJECT
public:
    static constexpr int kTemplateId = 156;

    explicit DisplayQR(QWidget* parent = nullptr);

    // Decodes g_strQuorinLine: counts, alarm, current and graph point change at once; the
    // controls at the next ShowPending.
    void OnData() override;
    // Shows what the lines since the last call changed.
    void ShowPending();

    CAnalogGauge& Gauge() const { return *m_pGauge; }

signals:
    // While simulating, every line is shown on the graph at once.
    void RedrawGraphs();

protected:
    // Escape and Enter on the page do nothing.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* MeasurementBox();
    QWidget* ErrorCountBox();
    void OnHelp(std::size_t code);
    void OnClearErrors();

    CColorStatic* m_pDistance;
    QLabel* m_pDistanceUnit;
    QLabel* m_pTemperature;
    CAlarmLamp* m_pQ1;
    CAnalogGauge* m_pGauge;
    std::array<QLineEdit*, QuorinErrorCodes.size()> m_counts{};
    QPlainTextEdit* m_pExplanation;
    CQuorinDisplayView m_view;
};
