#include "GraphTestSupport.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

// Counts the paint events of a widget.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

struct GraphFixture
{
    GraphFixture()
    {
        data.AddColumn("Distance (m)");
        for (int i = 0; i < 50; ++i)
            data.AddLine(i, {i % 7 * 0.5});
        graph.m_Clock = [] { return FixedNow; };
        graph.SetSize(300, 200);
    }
    TestTable data;
    CCSVTable2Graph graph{&data.table};
};

QImage Grab(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(CSVGraph2Static, ShowsThePictureAtItsOwnSizeFromTheTopLeft)
{
    GraphFixture fixture;
    CCSVGraph2Static control;
    control.resize(340, 180);
    control.SetGraph(&fixture.graph);
    EXPECT_EQ(control.GetGraph(), &fixture.graph);

    // The same graph drawn directly; the control's background around it.
    QImage expected(340, 180, QImage::Format_RGB32);
    expected.fill(control.palette().window().color());
    {
        QPainter painter(&expected);
        CCSVGraph2DC dc(&painter);
        fixture.graph.Draw(&dc);
    }
    EXPECT_EQ(Grab(control), expected);
    EXPECT_TRUE(control.testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST(CSVGraph2Static, WithoutAGraphPaintsNothing)
{
    QWidget parent;
    parent.setAutoFillBackground(true);
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, QColor(0x12, 0x34, 0x56));
    parent.setPalette(palette);
    parent.resize(100, 100);
    auto* control = new CCSVGraph2Static(&parent);
    control->setGeometry(10, 10, 50, 50);
    const QImage shown = Grab(parent);
    EXPECT_EQ(shown.pixel(30, 30), qRgb(0x12, 0x34, 0x56));
    EXPECT_FALSE(control->testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST(CSVGraph2Static, ANewGraphShowsAtTheNextRepaint)
{
    GraphFixture fixture;
    CCSVGraph2Static control;
    control.resize(300, 200);
    control.show();
    QApplication::processEvents();
    PaintCounter counter(&control);

    control.SetGraph(&fixture.graph);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);

    control.update();
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
    // The graph drew its table: the axes hold the scaling of the picture.
    EXPECT_LT(fixture.data.table.m_XAxis.m_Low, 0);
}
