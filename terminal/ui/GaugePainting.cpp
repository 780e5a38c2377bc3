#include "GaugePainting.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

namespace {

constexpr auto FontFamily = "Arial";

QRectF Circle(const GaugeFrame& frame, double radius)
{
    return {frame.centre.x() - radius, frame.centre.y() - radius, 2 * radius, 2 * radius};
}

// Qt counts arc angles in sixteenths of a degree; a negative span runs clockwise.
void DrawScaleArc(QPainter& painter, const GaugeScale& scale, const GaugeFrame& frame,
                  double radius)
{
    painter.drawArc(Circle(frame, radius), scale.nStartAngle * 16,
                    -static_cast<int>(GaugeSweep(scale) * 16));
}

QFont GaugeFont(int height, QFont::Weight weight)
{
    QFont font(FontFamily);
    font.setPixelSize(height);
    font.setWeight(weight);
    return font;
}

void DrawAnchoredText(QPainter& painter, const QString& text, QPoint point, LabelAnchor anchor)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int width = metrics.horizontalAdvance(text);
    int x = point.x();
    int y = point.y();
    switch (anchor) {
    case LabelAnchor::BottomLeft:
        y -= metrics.descent();
        break;
    case LabelAnchor::BaselineLeft:
        break;
    case LabelAnchor::TopLeft:
        y += metrics.ascent();
        break;
    case LabelAnchor::TopCentre:
        x -= width / 2;
        y += metrics.ascent();
        break;
    case LabelAnchor::BottomRight:
        x -= width;
        y -= metrics.descent();
        break;
    case LabelAnchor::BaselineRight:
        x -= width;
        break;
    }
    painter.drawText(QPoint(x, y), text);
}

// A blue ring that gets lighter towards its middle: the widest, darkest stroke first.
void DrawBezel(QPainter& painter, const GaugeScale& scale, const GaugeFrame& frame)
{
    const int t = frame.BezelWidth();
    for (int k = t; k >= 1; --k) {
        const int g = 255 - 159 * k / t;
        painter.setPen(QPen(QColor(g, g, 255), 2 * k, Qt::SolidLine, Qt::RoundCap));
        DrawScaleArc(painter, scale, frame, frame.nRadius);
    }
}

void DrawTicks(QPainter& painter, const std::vector<GaugeTick>& ticks)
{
    painter.setPen(QPen(Qt::black, 1));
    for (const GaugeTick& tick : ticks)
        painter.drawLine(tick.outer, tick.inner);
}

void DrawLabels(QPainter& painter, const GaugeScale& scale, const GaugeFrame& frame)
{
    painter.setFont(GaugeFont(frame.LabelHeight(), QFont::Normal));
    for (const GaugeLabel& label : GaugeLabels(scale, frame))
        DrawAnchoredText(painter, label.text, label.point, label.anchor);
}

void DrawMarks(QPainter& painter, const GaugeScale& scale, const GaugeFrame& frame,
               const std::vector<GaugeTick>& ticks)
{
    const int h = frame.LabelHeight();
    painter.setFont(GaugeFont(h, QFont::DemiBold));
    const std::vector<GaugeMark> marks = GaugeMarks(scale, frame);
    for (const GaugeMark& mark : marks)
        painter.drawText(QRect(mark.centre.x() - 2 * h, mark.centre.y() - h, 4 * h, 2 * h),
                         Qt::AlignCenter, mark.text);
    painter.setPen(QPen(QColor(255, 0, 0), 3));
    for (const GaugeMark& mark : marks)
        painter.drawLine(ticks[mark.nTick].outer, ticks[mark.nTick].inner);
}

// Clipped at the outer ends of the ticks; shadow and highlight edges give it relief.
void DrawNeedle(QPainter& painter, const GaugeFrame& frame, double angle, const QColor& color,
                const QPalette& palette)
{
    const std::array<QPoint, 4> needle = NeedlePolygon(frame, angle);
    QPainterPath clip;
    clip.addEllipse(Circle(frame, frame.TickRadius()));
    painter.save();
    painter.setClipPath(clip);
    painter.setPen(QPen(color, 1));
    painter.setBrush(color);
    painter.drawPolygon(needle.data(), static_cast<int>(needle.size()));

    const QPoint& tip = needle[1];
    const QPoint& tail = needle[3];
    // The light falls from the upper left: the edge facing away from it lies in shadow.
    const QPoint shadowCorner = angle > 90 ? needle[0] : needle[2];
    const QPoint lightCorner = angle > 90 ? needle[2] : needle[0];
    const QPoint shadow[] = {tip, shadowCorner, tail};
    const QPoint light[] = {tip, lightCorner, tail};
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(palette.color(QPalette::Dark), 2));
    painter.drawPolyline(shadow, 3);
    painter.setPen(QPen(palette.color(QPalette::Light), 1));
    painter.drawPolyline(light, 3);
    painter.restore();
}

// A cap over the needle's pivot, dark at its rim and white in its middle.
void DrawHub(QPainter& painter, const GaugeFrame& frame)
{
    const int u = frame.NeedleUnit();
    if (u == 0)
        return;
    for (int k = 3 * u / 4; k >= 0; --k) {
        const int grey = 255 - k * 1020 / (3 * u);
        painter.setPen(QColor(grey, grey, grey));
        painter.setBrush(QColor(grey, grey, grey));
        painter.drawEllipse(QPointF(frame.centre), k, k);
    }
}

void DrawTexts(QPainter& painter, const GaugeFrame& frame, const QString& units,
               const QString& value, const QPalette& palette)
{
    const int height = frame.TextHeight();
    const QPoint middle = GaugeTextRect(frame).center();
    painter.setFont(GaugeFont(height, QFont::Normal));
    painter.setPen(palette.color(QPalette::ButtonText));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(palette.button());
    DrawAnchoredText(painter, units, middle, LabelAnchor::TopCentre);
    DrawAnchoredText(painter, value, middle + QPoint(0, height), LabelAnchor::TopCentre);
    painter.setBackgroundMode(Qt::TransparentMode);
}

} // namespace

void DrawGaugeDial(QPainter& painter, const GaugeScale& scale, const GaugeFrame& frame,
                   const QPalette& palette)
{
    // Too small for a scale: the face alone, and no font of height zero.
    if (frame.LabelHeight() < 1)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    DrawBezel(painter, scale, frame);
    painter.setPen(QPen(QColor(255, 255, 0), 1));
    DrawScaleArc(painter, scale, frame, frame.ScaleRadius());
    const std::vector<GaugeTick> ticks = GaugeTicks(scale, frame);
    DrawTicks(painter, ticks);
    painter.setPen(palette.color(QPalette::ButtonText));
    DrawLabels(painter, scale, frame);
    DrawMarks(painter, scale, frame, ticks);
}

void DrawGaugeValue(QPainter& painter, const GaugeFrame& frame, double angle,
                    const QColor& needleColor, const QString& units, const QString& value,
                    const QPalette& palette)
{
    if (frame.LabelHeight() < 1)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    DrawNeedle(painter, frame, angle, needleColor, palette);
    DrawHub(painter, frame);
    DrawTexts(painter, frame, units, value, palette);
}
