#include "DisplayPage.h"

#include "AlarmLamp.h"
#include "AnalogGauge.h"
#include "ColorStatic.h"
#include "ControlId.h"
#include "DialogKeys.h"
#include "PageWidgets.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

#include <chrono>

CDisplayPage::CDisplayPage(QWidget* parent, int gaugeId, double current)
    : QWidget(parent), m_pGauge(WithControlId(new CAnalogGauge(this), gaugeId))
{
    ConfigureCurrentGauge(*m_pGauge, current);
}

QWidget* CDisplayPage::AnalogOutputBox(int size)
{
    auto* box = new QGroupBox(QStringLiteral("Analog Output"), this);
    auto* layout = new QVBoxLayout(box);
    m_pGauge->setMinimumSize(size, size);
    layout->addWidget(m_pGauge);
    return box;
}

void CDisplayPage::ShowRedText(CShownValue<bool>& red, std::initializer_list<CColorStatic*> texts)
{
    red.ShowChange([texts](bool on) {
        const QColor color = on ? QColor(255, 0, 0) : QColor(0, 0, 0);
        for (CColorStatic* text : texts)
            text->SetTextColor(color);
    });
}

void CDisplayPage::ShowUnit(CShownValue<std::string_view>& unit, QLabel* label)
{
    unit.ShowChange([label](std::string_view value) { label->setText(FromUtf8(value)); });
}

void CDisplayPage::ShowDeviceText(CShownValue<std::string>& text, QLabel* label)
{
    text.ShowChange([label](const std::string& value) { label->setText(FromDevice(value)); });
}

void CDisplayPage::ShowDeviceText(CShownValue<std::string>& text, QLineEdit* edit)
{
    text.ShowChange([edit](const std::string& value) { edit->setText(FromDevice(value)); });
}

void CDisplayPage::ShowLamp(CShownValue<bool>& on, CAlarmLamp* lamp)
{
    on.ShowChange([lamp](bool value) { lamp->SetOn(value); });
}

void CDisplayPage::ShowCurrent(CShownValue<double>& current)
{
    current.ShowChange([this](double value) { m_pGauge->SetValue(value); });
}

void CDisplayPage::keyPressEvent(QKeyEvent* event)
{
    if (!ConsumeDialogKey(*event))
        QWidget::keyPressEvent(event);
}

void CDisplayPage::PassReading(bool decoded)
{
    if (!decoded)
        return;
    m_reading.timeMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
    m_readingHandler(m_reading);
}
