#include "DisplayQR.h"

#include "AnalogGauge.h"
#include "QuorinDisplay.h"

DisplayQR::DisplayQR(QWidget* parent) : QWidget(parent), m_pGauge(new CAnalogGauge(this)) {}

void DisplayQR::OnData()
{
    g_DisplayQR.OnData();
}

void DisplayQR::ShowPending() {}

CAnalogGauge& DisplayQR::Gauge() const
{
    return *m_pGauge;
}
