#pragma once

#include "GaugeGeometry.h"

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>

// A round pointer instrument: a dial with bezel, scale, ticks and labels, a needle, the unit
// and the value as text. The dial is drawn once and kept, so a new value costs only the
// needle and the texts.
class CAnalogGauge : public QWidget
{
    Q_OBJECT

public:
    explicit CAnalogGauge(QWidget* parent = nullptr);

    void SetValue(double value);
    void SetRange(double minimum, double maximum);
    void SetAngles(int start, int end);
    void SetTicks(int majorIntervals, int minorPerMajor);
    void SetValueDecimals(int decimals);
    void SetNeedleColor(const QColor& color);
    void SetUnits(const QString& units);

    double Value() const { return m_dValue; }
    const GaugeScale& Scale() const { return m_scale; }
    // The value as written under the units.
    QString ValueText() const;
    // How often the dial has been drawn; value updates reuse the last one.
    int DialBuilds() const { return m_nDialBuilds; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SetScale(const GaugeScale& scale);
    void BuildDial();

    double m_dValue = 50.0;
    GaugeScale m_scale;
    int m_nValueDecimals = 1;
    QColor m_needleColor{255, 0, 0};
    QString m_strUnits = QStringLiteral("Volts");
    QPixmap m_dial;
    int m_nDialBuilds = 0;
};

// The analog output current of the Display pages: 3 to 21 mA in steps of 0.1 mA, starting
// at current.
void ConfigureCurrentGauge(CAnalogGauge& gauge, double current);
