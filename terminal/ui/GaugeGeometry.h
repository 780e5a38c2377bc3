#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <vector>

// What the dial of a round gauge shows. Angles are degrees counterclockwise from 3 o'clock;
// the scale runs clockwise from the start angle over the top to the end angle, so the
// sector around the bottom stays free.
struct GaugeScale
{
    double dMinimum = 0.0;
    double dMaximum = 100.0;
    int nStartAngle = 225;
    int nEndAngle = 315;
    int nMajorIntervals = 10;
    int nMinorPerMajor = 5;

    bool operator==(const GaugeScale&) const = default;
};

// Where the gauge sits in its widget; everything else scales with the radius.
struct GaugeFrame
{
    QPoint centre;
    int nRadius = 0;

    int BezelWidth() const { return nRadius / 18; }
    int NeedleUnit() const { return nRadius / 20; }
    int LabelHeight() const { return nRadius / 6; }
    int TextHeight() const { return nRadius / 5; }
    // The outer ends of the ticks; the needle is cut off there.
    double TickRadius() const { return nRadius - 2 * BezelWidth(); }
    double ScaleRadius() const { return 0.8 * nRadius; }
};

struct GaugeTick
{
    QPoint outer;
    QPoint inner;
};

// Which point of the text sits on the label's point.
enum class LabelAnchor
{
    BottomLeft,
    BaselineLeft,
    TopLeft,
    TopCentre,
    BottomRight,
    BaselineRight,
};

struct GaugeLabel
{
    QString text;
    QPoint point;
    LabelAnchor anchor = LabelAnchor::BottomLeft;
};

// A red tick with a bold label where the analog output's 4 mA and 20 mA fall on the scale.
struct GaugeMark
{
    int nTick = 0;
    QString text;  // empty on a major tick, which has its scale label
    QPoint centre; // of the label
};

// The gauge fills the smaller side of the widget, so no size cuts the dial off.
GaugeFrame GaugeFrameFor(QSize size);

// The scale's extent in degrees, in (0, 360]: equal angles make a full circle.
double GaugeSweep(const GaugeScale& scale);

// Number of tick steps; counts below 1 count as 1 and above 100 as 100, so the dial stays
// drawable whatever the caller asks.
int GaugeSteps(const GaugeScale& scale);

// The needle's direction; values off the scale pin it at the scale's ends. Not a number,
// or a range without extent, points at the start.
double NeedleAngle(const GaugeScale& scale, double value);

// Rounded to whole pixels, with y growing downwards.
QPoint GaugePoint(const GaugeFrame& frame, double radius, double degrees);

// Ticks 0 to GaugeSteps at their exact angles, so the needle meets the tick of its value.
std::vector<GaugeTick> GaugeTicks(const GaugeScale& scale, const GaugeFrame& frame);

// One label per major tick, placed inside the scale beside the tick's inner end.
std::vector<GaugeLabel> GaugeLabels(const GaugeScale& scale, const GaugeFrame& frame);

std::vector<GaugeMark> GaugeMarks(const GaugeScale& scale, const GaugeFrame& frame);

// Base corner, tip, other base corner, tail.
std::array<QPoint, 4> NeedlePolygon(const GaugeFrame& frame, double degrees);

// Units and value are written in the free sector below the hub.
QRect GaugeTextRect(const GaugeFrame& frame);

QString GaugeNumberText(double value, int decimals);
