#include "AnalogGauge.h"

#include <QImage>
#include <QPalette>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

const QColor Green(0, 160, 0);

bool Near(QRgb pixel, const QColor& color)
{
    return std::abs(qRed(pixel) - color.red()) <= 8 &&
           std::abs(qGreen(pixel) - color.green()) <= 8 &&
           std::abs(qBlue(pixel) - color.blue()) <= 8;
}

QImage Grab(CAnalogGauge& gauge)
{
    return gauge.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Points along a direction from the hub out to where the needle is still wide.
int NeedlePixels(const QImage& image, const GaugeFrame& frame, double degrees)
{
    int count = 0;
    for (int step = 4; step <= 12; ++step)
        count += Near(image.pixel(GaugePoint(frame, step * 0.05 * frame.nRadius, degrees)), Green);
    return count;
}

// Collects the warnings Qt writes while it lives.
class WarningCatcher
{
public:
    WarningCatcher()
    {
        s_nWarnings = 0;
        m_previous = qInstallMessageHandler(&Catch);
    }
    ~WarningCatcher() { qInstallMessageHandler(m_previous); }
    int Warnings() const { return s_nWarnings; }

private:
    static void Catch(QtMsgType type, const QMessageLogContext&, const QString&)
    {
        s_nWarnings += type != QtDebugMsg && type != QtInfoMsg;
    }
    static inline int s_nWarnings = 0;
    QtMessageHandler m_previous = nullptr;
};

} // namespace

TEST(AnalogGauge, NeedlePointsAtTheCurrentOnTheRenderedDial)
{
    CAnalogGauge gauge;
    gauge.resize(250, 250);
    ConfigureCurrentGauge(gauge, 3.0);
    gauge.SetNeedleColor(Green);
    const GaugeFrame frame = GaugeFrameFor(gauge.size());
    struct Case
    {
        double dCurrent;
        double dAngle;
        const char* text;
    };
    for (const Case& shown :
         {Case{3.0, 230.0, "3.00"}, Case{12.0, 90.0, "12.00"}, Case{21.0, -50.0, "21.00"},
          Case{2.5, 230.0, "2.50"}, Case{25.0, -50.0, "25.00"}}) {
        SCOPED_TRACE(shown.dCurrent);
        gauge.SetValue(shown.dCurrent);
        EXPECT_EQ(gauge.ValueText(), shown.text);
        const QImage image = Grab(gauge);
        for (const double angle : {230.0, 90.0, -50.0})
            EXPECT_EQ(NeedlePixels(image, frame, angle), angle == shown.dAngle ? 9 : 0) << angle;
    }
}

TEST(AnalogGauge, NeedleIsCutOffAtTheOuterEndsOfTheTicks)
{
    CAnalogGauge gauge;
    gauge.resize(250, 250);
    ConfigureCurrentGauge(gauge, 3.0);
    const QImage low = Grab(gauge);
    gauge.SetValue(12.0);
    const QImage up = Grab(gauge);
    const GaugeFrame frame = GaugeFrameFor(gauge.size());
    int differences = 0;
    for (int y = 0; y < 250; ++y)
        for (int x = 0; x < 250; ++x) {
            const QPoint offset = QPoint(x, y) - frame.centre;
            if (std::hypot(offset.x() + 0.5, offset.y() + 0.5) > frame.TickRadius() + 1.5)
                differences += low.pixel(x, y) != up.pixel(x, y);
        }
    EXPECT_EQ(differences, 0);
}

TEST(AnalogGauge, DialShowsBezelFaceAndRedMarks)
{
    CAnalogGauge gauge;
    gauge.resize(250, 250);
    ConfigureCurrentGauge(gauge, 12.0);
    const QImage image = Grab(gauge);
    const GaugeFrame frame = GaugeFrameFor(gauge.size());
    const QRgb bezel = image.pixel(GaugePoint(frame, frame.nRadius, 135.0));
    EXPECT_EQ(qBlue(bezel), 255);
    EXPECT_LT(qRed(bezel), 255);
    EXPECT_TRUE(Near(image.pixel(3, 3), gauge.palette().color(QPalette::Button)));
    // Half way along the minor ticks of 4 and 20 mA.
    const double radius = (3 * frame.TickRadius() + frame.ScaleRadius()) / 4;
    for (const double angle : {230.0 - 280.0 / 18, -50.0 + 280.0 / 18})
        EXPECT_TRUE(Near(image.pixel(GaugePoint(frame, radius, angle)), QColor(255, 0, 0)))
            << angle;
}

TEST(AnalogGauge, DialIsRedrawnOnlyWhenItChanges)
{
    CAnalogGauge gauge;
    gauge.resize(200, 200);
    Grab(gauge);
    EXPECT_EQ(gauge.DialBuilds(), 1);
    Grab(gauge);
    gauge.SetValue(70.0);
    gauge.SetNeedleColor(Qt::blue);
    gauge.SetUnits("mA");
    gauge.SetValueDecimals(3);
    gauge.SetRange(0.0, 100.0);
    Grab(gauge);
    EXPECT_EQ(gauge.DialBuilds(), 1);
    EXPECT_EQ(gauge.ValueText(), "70.000");

    gauge.SetRange(3.0, 21.0);
    Grab(gauge);
    EXPECT_EQ(gauge.DialBuilds(), 2);
    gauge.SetAngles(230, 310);
    Grab(gauge);
    EXPECT_EQ(gauge.DialBuilds(), 3);
    gauge.SetTicks(9, 20);
    Grab(gauge);
    EXPECT_EQ(gauge.DialBuilds(), 4);
    gauge.resize(300, 240);
    const QImage resized = Grab(gauge);
    EXPECT_EQ(gauge.DialBuilds(), 5);
    EXPECT_EQ(resized.size(), QSize(300, 240));
    QPalette palette = gauge.palette();
    palette.setColor(QPalette::Button, QColor(0x20, 0x40, 0x60));
    gauge.setPalette(palette);
    const QImage recoloured = Grab(gauge);
    EXPECT_EQ(gauge.DialBuilds(), 6);
    EXPECT_TRUE(Near(recoloured.pixel(3, 3), QColor(0x20, 0x40, 0x60)));
}

TEST(AnalogGauge, OddSizesAndSettingsPaintWithoutComplaint)
{
    WarningCatcher catcher;
    for (const QSize size :
         {QSize(0, 0), QSize(1, 1), QSize(12, 12), QSize(30, 30), QSize(400, 8), QSize(60, 60)}) {
        CAnalogGauge gauge;
        gauge.resize(size);
        Grab(gauge);
        gauge.SetTicks(0, -1);
        gauge.SetAngles(0, 360);
        gauge.SetRange(5.0, 5.0);
        gauge.SetValue(std::nan(""));
        gauge.SetValueDecimals(-2);
        Grab(gauge);
    }
    EXPECT_EQ(catcher.Warnings(), 0);
}
