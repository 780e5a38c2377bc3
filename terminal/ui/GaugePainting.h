#pragma once

#include "GaugeGeometry.h"

#include <QColor>
#include <QString>

class QPainter;
class QPalette;

// Everything that does not move with the value, over the filled face: bezel, scale, ticks,
// labels and marks.
void DrawGaugeDial(QPainter& painter, const GaugeScale& scale, const GaugeFrame& frame,
                   const QPalette& palette);

// Needle, hub, units and value over a dial.
void DrawGaugeValue(QPainter& painter, const GaugeFrame& frame, double angle,
                    const QColor& needleColor, const QString& units, const QString& value,
                    const QPalette& palette);
