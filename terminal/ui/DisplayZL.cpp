#include "DisplayZL.h"

#include "AnalogGauge.h"
#include "ColorStatic.h"
#include "ControlId.h"
#include "DialogKeys.h"
#include "GraphData.h"
#include "ZelnarDisplay.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kLampSize = 32;

QFont ArialFont(int height)
{
    QFont font("Arial");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(height);
    font.setWeight(QFont::Normal);
    return font;
}

// The lamps of the switching outputs: green while the output is on, grey while it is off.
QPixmap Lamp(const QColor& color)
{
    QPixmap pixmap(kLampSize, kLampSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient gradient(kLampSize * 0.35, kLampSize * 0.35, kLampSize * 0.6);
    gradient.setColorAt(0, color.lighter(170));
    gradient.setColorAt(1, color);
    painter.setBrush(gradient);
    painter.setPen(QPen(color.darker(160), 1.5));
    painter.drawEllipse(QRectF(2, 2, kLampSize - 4, kLampSize - 4));
    return pixmap;
}

QLabel* LampLabel(QWidget* parent, int id, const QPixmap& pixmap)
{
    auto* label = WithControlId(new QLabel(parent), id);
    label->setPixmap(pixmap);
    label->setFixedSize(kLampSize, kLampSize);
    return label;
}

QLineEdit* CountEdit(QWidget* parent, int id)
{
    auto* edit = WithControlId(new QLineEdit("0", parent), id);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignCenter);
    edit->setMaximumWidth(90);
    return edit;
}

QString FromDevice(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void SetColor(CColorStatic* label, const QColor& color)
{
    // A new palette costs more than a line: only a change of mode sets one.
    if (label->TextColor() != color)
        label->SetTextColor(color);
}

} // namespace

DisplayZL::DisplayZL(QWidget* parent)
    : QWidget(parent), m_pDistance(WithControlId(new CColorStatic({}, this), 1070)),
      m_pDistanceUnit(WithControlId(new QLabel(this), 1099)),
      m_pSpeed(WithControlId(new QLabel(this), 1071)),
      m_pSpeedUnit(WithControlId(new QLabel(this), 1100)),
      m_pTemperature(WithControlId(new CColorStatic({}, this), 1072)),
      m_pTemperatureUnit(WithControlId(new QLabel(this), 1103)),
      m_pStrength(WithControlId(new CColorStatic({}, this), 1073)),
      m_pStrengthBar(WithControlId(new QProgressBar(this), 1074)),
      m_pQ1On(LampLabel(this, 1083, Lamp(QColor(0, 200, 0)))),
      m_pQ1Off(LampLabel(this, 1082, Lamp(QColor(150, 150, 150)))),
      m_pQ2On(LampLabel(this, 1084, Lamp(QColor(0, 200, 0)))),
      m_pQ2Off(LampLabel(this, 1085, Lamp(QColor(150, 150, 150)))),
      m_pGauge(WithControlId(new CAnalogGauge(this), 1088)), m_pE02(CountEdit(this, 1091)),
      m_pE04(CountEdit(this, 1093))
{
    for (QLabel* big : {static_cast<QLabel*>(m_pDistance), m_pSpeed})
        big->setFont(ArialFont(40));
    for (QLabel* small : {m_pTemperature, m_pStrength})
        small->setFont(ArialFont(22));
    // Texts change with every line: fixed sizes keep that from laying the page out again.
    for (QLabel* text : {static_cast<QLabel*>(m_pDistance), m_pSpeed,
                         static_cast<QLabel*>(m_pTemperature), static_cast<QLabel*>(m_pStrength)})
        text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    for (QLabel* unit : {m_pDistanceUnit, m_pSpeedUnit, m_pTemperatureUnit})
        unit->setMinimumWidth(60);
    // Room for the longest reading, so that no digit is ever cut off.
    const int readingWidth = QFontMetrics(ArialFont(40)).horizontalAdvance("-00000.000");
    for (QLabel* big : {static_cast<QLabel*>(m_pDistance), m_pSpeed}) {
        big->setMinimumHeight(48);
        big->setMinimumWidth(readingWidth);
    }
    m_pStrengthBar->setRange(0, 3000);
    m_pStrengthBar->setValue(0);
    m_pStrengthBar->setTextVisible(false);
    m_pQ1On->hide();
    m_pQ2On->hide();

    auto* values = new QGroupBox("Measurement", this);
    auto* valueGrid = new QGridLayout(values);
    const auto row = [valueGrid](int r, const char* caption, QLabel* text, QLabel* unit) {
        valueGrid->addWidget(new QLabel(caption), r, 0);
        valueGrid->addWidget(text, r, 1);
        valueGrid->addWidget(unit, r, 2);
    };
    row(0, "Distance", m_pDistance, m_pDistanceUnit);
    row(1, "Speed", m_pSpeed, m_pSpeedUnit);
    row(2, "Temperature", m_pTemperature, m_pTemperatureUnit);
    row(3, "Strength", m_pStrength, new QLabel);
    valueGrid->addWidget(m_pStrengthBar, 4, 0, 1, 3);
    valueGrid->setColumnStretch(1, 1);

    auto* alarms = new QGroupBox("Alarms", this);
    auto* alarmGrid = new QGridLayout(alarms);
    alarmGrid->addWidget(new QLabel("Q1"), 0, 0);
    alarmGrid->addWidget(m_pQ1On, 0, 1);
    alarmGrid->addWidget(m_pQ1Off, 0, 1);
    alarmGrid->addWidget(new QLabel("Q2"), 1, 0);
    alarmGrid->addWidget(m_pQ2On, 1, 1);
    alarmGrid->addWidget(m_pQ2Off, 1, 1);

    auto* errors = new QGroupBox("Errors", this);
    auto* errorGrid = new QGridLayout(errors);
    errorGrid->addWidget(new QLabel("E02 : No target found"), 0, 0);
    errorGrid->addWidget(m_pE02, 0, 1);
    errorGrid->addWidget(new QLabel("E04 : Laser Defect"), 1, 0);
    errorGrid->addWidget(m_pE04, 1, 1);
    auto* clear = WithControlId(new QPushButton("Clear", errors), 1094);
    clear->setAutoDefault(false);
    connect(clear, &QPushButton::clicked, this, &DisplayZL::OnClear);
    errorGrid->addWidget(clear, 2, 1);

    auto* analog = new QGroupBox("Analog Output", this);
    auto* analogBox = new QVBoxLayout(analog);
    m_pGauge->setMinimumSize(180, 180);
    analogBox->addWidget(m_pGauge);
    ConfigureCurrentGauge(*m_pGauge, g_DisplayZL.GetOutputCurrent());

    auto* left = new QVBoxLayout;
    left->addWidget(values);
    auto* lower = new QHBoxLayout;
    lower->addWidget(alarms);
    lower->addWidget(errors, 1);
    left->addLayout(lower);
    left->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addWidget(analog, 2);
}

void DisplayZL::OnData()
{
    const CZelnarDisplayResult& result = g_DisplayZL.OnData();
    if (result.bAddGraphPoint)
        AddGraphPoint(result.dGraphDistance, result.dGraphSpeed);
    m_view.Take(result);
    // A simulated line comes at a watchable pace and is shown at once, with the graphs.
    if (result.bRedrawGaugeAndGraphs || result.bRedrawLamps)
        ShowPending();
    if (result.bRedrawGaugeAndGraphs)
        emit RedrawGraphs();
}

void DisplayZL::ShowPending()
{
    const CZelnarDisplayResult& view = m_view.Pending();
    const QColor color = view.bRedText ? QColor(255, 0, 0) : QColor(0, 0, 0);
    SetColor(m_pDistance, color);
    SetColor(m_pTemperature, color);
    SetColor(m_pStrength, color);
    if (view.bE02Counted)
        m_pE02->setText(FromDevice(view.strE02Count));
    if (view.bE04Counted)
        m_pE04->setText(FromDevice(view.strE04Count));
    if (view.bSetGauge)
        m_pGauge->SetValue(view.dCurrent);
    if (view.bShowFields) {
        m_pDistanceUnit->setText(FromUtf8(view.strDistanceUnit));
        m_pSpeedUnit->setText(FromUtf8(view.strSpeedUnit));
        m_pTemperatureUnit->setText(FromUtf8(view.strTemperatureUnit));
        m_pTemperature->setText(FromDevice(view.strTemperature));
        m_pDistance->setText(FromDevice(view.strDistance));
        m_pSpeed->setText(FromDevice(view.strSpeed));
        m_pStrength->setText(FromDevice(view.strStrength));
    }
    if (view.bSetStrengthBar)
        m_pStrengthBar->setValue(view.nStrengthBar);
    if (view.bShowLamps) {
        m_pQ1On->setVisible(view.bQ1On);
        m_pQ1Off->setVisible(!view.bQ1On);
        m_pQ2On->setVisible(view.bQ2On);
        m_pQ2Off->setVisible(!view.bQ2On);
    }
    m_view.Shown();
}

void DisplayZL::keyPressEvent(QKeyEvent* event)
{
    if (IsDialogKey(*event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DisplayZL::OnClear()
{
    // Counts still waiting to be shown are older than the Clear.
    ShowPending();
    g_DisplayZL.OnClear();
    m_pE02->setText("0");
    m_pE04->setText("0");
}
