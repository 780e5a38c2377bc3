#include "GaugeGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

constexpr int MaximumTickCount = 100;
constexpr double MarkValues[] = {4.0, 20.0};
// Scale labels are whole numbers.
constexpr int ScaleDecimals = 0;

int MajorIntervals(const GaugeScale& scale)
{
    return std::clamp(scale.nMajorIntervals, 1, MaximumTickCount);
}

int MinorPerMajor(const GaugeScale& scale)
{
    return std::clamp(scale.nMinorPerMajor, 1, MaximumTickCount);
}

double TickAngle(const GaugeScale& scale, int tick)
{
    return scale.nStartAngle - tick * GaugeSweep(scale) / GaugeSteps(scale);
}

// Where value lies between the scale's ends, 0 at the minimum and 1 at the maximum; none for
// a range without extent.
bool ScaleFraction(const GaugeScale& scale, double value, double& fraction)
{
    const double range = scale.dMaximum - scale.dMinimum;
    if (!std::isfinite(range) || range == 0.0 || std::isnan(value))
        return false;
    fraction = (value - scale.dMinimum) / range;
    return true;
}

// The anchor table covers the circle once: angles are taken in (-90, 270].
double NormalisedAngle(double degrees)
{
    const double angle = std::fmod(degrees + 90.0, 360.0);
    return angle <= 0.0 ? angle + 270.0 : angle - 90.0;
}

GaugeLabel PlaceLabel(QString text, double degrees, QPoint inner, int h)
{
    const double a = NormalisedAngle(degrees);
    const int x = inner.x();
    const int y = inner.y();
    if (a > 190)
        return {std::move(text), {x, y + h / 2}, LabelAnchor::BottomLeft};
    if (a > 170)
        return {std::move(text), {x, y + h / 3}, LabelAnchor::BaselineLeft};
    if (a > 135)
        return {std::move(text), {x, y + h / 2}, LabelAnchor::BaselineLeft};
    if (a > 100)
        return {std::move(text), {x - h / 4, y - h / 8}, LabelAnchor::TopLeft};
    if (a > 80)
        return {std::move(text), {x, y}, LabelAnchor::TopCentre};
    if (a > 45)
        return {std::move(text), {x + h / 3, y + h}, LabelAnchor::BottomRight};
    if (a > 10)
        return {std::move(text), {x, y + h / 2}, LabelAnchor::BaselineRight};
    if (a > -10)
        return {std::move(text), {x, y + h / 3}, LabelAnchor::BaselineRight};
    return {std::move(text), {x, y + h / 2}, LabelAnchor::BottomRight};
}

} // namespace

GaugeFrame GaugeFrameFor(QSize size)
{
    const int side = std::max(0, std::min(size.width(), size.height()));
    const int radius = 9 * side / 21;
    return {QPoint(std::max(0, size.width()) / 2, std::max(0, size.height()) / 2 + radius / 10),
            radius};
}

double GaugeSweep(const GaugeScale& scale)
{
    const long long difference = static_cast<long long>(scale.nStartAngle) - scale.nEndAngle;
    const int sweep = static_cast<int>((difference % 360 + 360) % 360);
    return sweep == 0 ? 360.0 : sweep;
}

int GaugeSteps(const GaugeScale& scale)
{
    return MajorIntervals(scale) * MinorPerMajor(scale);
}

double NeedleAngle(const GaugeScale& scale, double value)
{
    double fraction = 0.0;
    if (!ScaleFraction(scale, value, fraction))
        return scale.nStartAngle;
    return scale.nStartAngle - std::clamp(fraction, 0.0, 1.0) * GaugeSweep(scale);
}

QPoint GaugePoint(const GaugeFrame& frame, double radius, double degrees)
{
    const double theta = degrees * std::numbers::pi / 180.0;
    return {static_cast<int>(std::lround(frame.centre.x() + radius * std::cos(theta))),
            static_cast<int>(std::lround(frame.centre.y() - radius * std::sin(theta)))};
}

std::vector<GaugeTick> GaugeTicks(const GaugeScale& scale, const GaugeFrame& frame)
{
    const int steps = GaugeSteps(scale);
    const int minor = MinorPerMajor(scale);
    const double outer = frame.TickRadius();
    const double minorInner = (frame.ScaleRadius() + outer) / 2;
    std::vector<GaugeTick> ticks;
    ticks.reserve(steps + 1);
    for (int j = 0; j <= steps; ++j) {
        const double angle = TickAngle(scale, j);
        const double inner = j % minor == 0 ? frame.ScaleRadius() : minorInner;
        ticks.push_back({GaugePoint(frame, outer, angle), GaugePoint(frame, inner, angle)});
    }
    return ticks;
}

std::vector<GaugeLabel> GaugeLabels(const GaugeScale& scale, const GaugeFrame& frame)
{
    const int major = MajorIntervals(scale);
    const int minor = MinorPerMajor(scale);
    std::vector<GaugeLabel> labels;
    labels.reserve(major + 1);
    for (int i = 0; i <= major; ++i) {
        const double value = scale.dMinimum + (scale.dMaximum - scale.dMinimum) * i / major;
        const double angle = TickAngle(scale, i * minor);
        labels.push_back(PlaceLabel(GaugeNumberText(value, ScaleDecimals), angle,
                                    GaugePoint(frame, frame.ScaleRadius(), angle),
                                    frame.LabelHeight()));
    }
    return labels;
}

std::vector<GaugeMark> GaugeMarks(const GaugeScale& scale, const GaugeFrame& frame)
{
    const int steps = GaugeSteps(scale);
    // Inside the labelled ring, clear of the scale labels.
    const double radius = frame.ScaleRadius() - 2 * frame.LabelHeight() / 3;
    std::vector<GaugeMark> marks;
    for (const double value : MarkValues) {
        double fraction = 0.0;
        if (!ScaleFraction(scale, value, fraction) || fraction < 0.0 || fraction > 1.0)
            continue;
        const int tick = static_cast<int>(std::lround(fraction * steps));
        // A major tick carries its scale label already.
        const QString text =
            tick % MinorPerMajor(scale) == 0 ? QString() : GaugeNumberText(value, ScaleDecimals);
        marks.push_back({tick, text, GaugePoint(frame, radius, TickAngle(scale, tick))});
    }
    return marks;
}

std::array<QPoint, 4> NeedlePolygon(const GaugeFrame& frame, double degrees)
{
    const double theta = degrees * std::numbers::pi / 180.0;
    const double halfBase = 10.0 * frame.NeedleUnit() / 8;
    const double cx = frame.centre.x();
    const double cy = frame.centre.y();
    const auto point = [](double x, double y) {
        return QPoint(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    };
    return {
        point(cx - halfBase * std::sin(theta), cy - halfBase * std::cos(theta)),
        GaugePoint(frame, 0.95 * frame.nRadius, degrees),
        point(cx + halfBase * std::sin(theta), cy + halfBase * std::cos(theta)),
        point(cx - frame.nRadius * std::cos(theta) / 6, cy + frame.nRadius * std::sin(theta) / 6)};
}

QRect GaugeTextRect(const GaugeFrame& frame)
{
    const int r = frame.nRadius;
    return QRect(QPoint(frame.centre.x() - r / 2, frame.centre.y() + r / 5),
                 QPoint(frame.centre.x() + r / 2, frame.centre.y() + r / 2));
}

QString GaugeNumberText(double value, int decimals)
{
    // Beyond what a double holds, more decimals only add noise.
    return QString::asprintf("%.*f", std::clamp(decimals, 0, 15), value);
}
