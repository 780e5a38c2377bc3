#include "DisplayZL.h"

#include "AlarmLamp.h"
#include "ColorStatic.h"
#include "ControlId.h"
#include "GraphData.h"
#include "PageWidgets.h"
#include "ZelnarDisplay.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

DisplayZL::DisplayZL(QWidget* parent)
    : CDisplayPage(parent, 1088, g_DisplayZL.GetOutputCurrent()),
      m_pDistance(WithControlId(new CColorStatic({}, this), 1070)),
      m_pDistanceUnit(WithControlId(new QLabel(this), 1099)),
      m_pSpeed(WithControlId(new QLabel(this), 1071)),
      m_pSpeedUnit(WithControlId(new QLabel(this), 1100)),
      m_pTemperature(WithControlId(new CColorStatic({}, this), 1072)),
      m_pTemperatureUnit(WithControlId(new QLabel(this), 1103)),
      m_pStrength(WithControlId(new CColorStatic({}, this), 1073)),
      m_pStrengthBar(WithControlId(new QProgressBar(this), 1074)),
      m_pQ1(new CAlarmLamp(1083, 1082, this)), m_pQ2(new CAlarmLamp(1084, 1085, this)),
      m_pE02(CountEdit(this, 1091)), m_pE04(CountEdit(this, 1093)),
      m_view(g_DisplayZL.GetOutputCurrent())
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
    for (QLineEdit* count : {m_pE02, m_pE04})
        count->setMaximumWidth(90);

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
    alarmGrid->addWidget(m_pQ1, 0, 1);
    alarmGrid->addWidget(new QLabel("Q2"), 1, 0);
    alarmGrid->addWidget(m_pQ2, 1, 1);

    auto* errors = new QGroupBox("Errors", this);
    auto* errorGrid = new QGridLayout(errors);
    errorGrid->addWidget(new QLabel("E02 : No target found"), 0, 0);
    errorGrid->addWidget(m_pE02, 0, 1);
    errorGrid->addWidget(new QLabel("E04 : Laser Defect"), 1, 0);
    errorGrid->addWidget(m_pE04, 1, 1);
    auto* clear = PageButton(QStringLiteral("Clear"), 1094, errors);
    connect(clear, &QPushButton::clicked, this, &DisplayZL::OnClear);
    errorGrid->addWidget(clear, 2, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(values);
    auto* lower = new QHBoxLayout;
    lower->addWidget(alarms);
    lower->addWidget(errors, 1);
    left->addLayout(lower);
    left->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addWidget(AnalogOutputBox(180), 2);
}

void DisplayZL::OnData()
{
    const CZelnarDisplayResult& result =
        TakesReadings() ? m_decoding.Decode(Reading()) : g_DisplayZL.OnData();
    if (TakesReadings() && !result.bRedText)
        PassReading(m_decoding.Taken());
    if (result.bAddGraphPoint)
        AddGraphPoint(result.dGraphDistance, result.dGraphSpeed);
    m_view.Take(result);
}

void DisplayZL::ShowPending()
{
    ShowRedText(m_view.RedText(), {m_pDistance, m_pTemperature, m_pStrength});
    ShowUnit(m_view.DistanceUnit(), m_pDistanceUnit);
    ShowUnit(m_view.SpeedUnit(), m_pSpeedUnit);
    ShowUnit(m_view.TemperatureUnit(), m_pTemperatureUnit);
    ShowDeviceText(m_view.Distance(), m_pDistance);
    ShowDeviceText(m_view.Speed(), m_pSpeed);
    ShowDeviceText(m_view.Temperature(), m_pTemperature);
    ShowDeviceText(m_view.Strength(), m_pStrength);
    m_view.StrengthBar().ShowChange([this](int value) { m_pStrengthBar->setValue(value); });
    ShowDeviceText(m_view.E02Count(), m_pE02);
    ShowDeviceText(m_view.E04Count(), m_pE04);
    ShowCurrent(m_view.Current());
    ShowLamp(m_view.Q1On(), m_pQ1);
    ShowLamp(m_view.Q2On(), m_pQ2);
    if (m_view.TakeRedraw())
        emit RedrawGraphs();
}

void DisplayZL::OnClear()
{
    g_DisplayZL.OnClear();
    for (QLineEdit* count : {m_pE02, m_pE04})
        count->setText(QStringLiteral("0"));
    m_view.ClearCounts();
}
