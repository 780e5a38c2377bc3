#include "AnalogGauge.h"

#include "AnalogOutput.h"
#include "GaugePainting.h"

#include <QEvent>
#include <QPainter>

CAnalogGauge::CAnalogGauge(QWidget* parent) : QWidget(parent)
{
    // The dial covers the whole widget.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CAnalogGauge::SetValue(double value)
{
    m_dValue = value;
    update();
}

void CAnalogGauge::SetRange(double minimum, double maximum)
{
    GaugeScale scale = m_scale;
    scale.dMinimum = minimum;
    scale.dMaximum = maximum;
    SetScale(scale);
}

void CAnalogGauge::SetAngles(int start, int end)
{
    GaugeScale scale = m_scale;
    scale.nStartAngle = start;
    scale.nEndAngle = end;
    SetScale(scale);
}

void CAnalogGauge::SetTicks(int majorIntervals, int minorPerMajor)
{
    GaugeScale scale = m_scale;
    scale.nMajorIntervals = majorIntervals;
    scale.nMinorPerMajor = minorPerMajor;
    SetScale(scale);
}

// Needle colour, decimals and units are drawn over the dial, which stays as it is.
void CAnalogGauge::SetValueDecimals(int decimals)
{
    m_nValueDecimals = decimals;
    update();
}

void CAnalogGauge::SetNeedleColor(const QColor& color)
{
    m_needleColor = color;
    update();
}

void CAnalogGauge::SetUnits(const QString& units)
{
    m_strUnits = units;
    update();
}

QString CAnalogGauge::ValueText() const
{
    return GaugeNumberText(m_dValue, m_nValueDecimals);
}

void CAnalogGauge::SetScale(const GaugeScale& scale)
{
    if (scale == m_scale)
        return;
    m_scale = scale;
    m_dial = QPixmap();
    update();
}

void CAnalogGauge::BuildDial()
{
    m_dial = QPixmap(size() * devicePixelRatioF());
    m_dial.setDevicePixelRatio(devicePixelRatioF());
    m_dial.fill(palette().color(QPalette::Button));
    QPainter painter(&m_dial);
    DrawGaugeDial(painter, m_scale, GaugeFrameFor(size()), palette());
    ++m_nDialBuilds;
}

void CAnalogGauge::paintEvent(QPaintEvent*)
{
    if (size().isEmpty())
        return;
    // A resize or a move to a screen of another pixel ratio leaves the dial at the wrong size.
    const qreal ratio = devicePixelRatioF();
    if (m_dial.isNull() || m_dial.devicePixelRatio() != ratio || m_dial.size() != size() * ratio)
        BuildDial();
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_dial);
    const GaugeFrame frame = GaugeFrameFor(size());
    DrawGaugeValue(painter, frame, NeedleAngle(m_scale, m_dValue), m_needleColor, m_strUnits,
                   ValueText(), palette());
}

void CAnalogGauge::changeEvent(QEvent* event)
{
    // The dial is drawn in the palette's colours.
    if (event->type() == QEvent::PaletteChange)
        m_dial = QPixmap();
    QWidget::changeEvent(event);
}

void ConfigureCurrentGauge(CAnalogGauge& gauge, double current)
{
    gauge.SetNeedleColor(QColor(255, 255, 235));
    gauge.SetRange(MinimumCurrent, MaximumCurrent);
    gauge.SetTicks(9, 20);
    gauge.SetAngles(230, 310);
    gauge.SetValueDecimals(2);
    gauge.SetUnits(QStringLiteral("mA"));
    gauge.SetValue(current);
}
