#include "AlarmLamp.h"

#include "ControlId.h"

#include <QLabel>
#include <QPainter>
#include <QStackedLayout>

namespace {

constexpr int kLampSize = 32;

QPixmap LampPixmap(const QColor& color)
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

QLabel* LampLabel(QWidget* parent, int id, const QColor& color)
{
    auto* label = WithControlId(new QLabel(parent), id);
    label->setPixmap(LampPixmap(color));
    label->setFixedSize(kLampSize, kLampSize);
    return label;
}

} // namespace

CAlarmLamp::CAlarmLamp(int onId, int offId, QWidget* parent)
    : QWidget(parent), m_pOn(LampLabel(this, onId, QColor(0, 200, 0))),
      m_pOff(LampLabel(this, offId, QColor(150, 150, 150)))
{
    auto* layout = new QStackedLayout(this);
    layout->setStackingMode(QStackedLayout::StackAll);
    layout->addWidget(m_pOn);
    layout->addWidget(m_pOff);
    setFixedSize(kLampSize, kLampSize);
    SetOn(false);
}

void CAlarmLamp::SetOn(bool on)
{
    m_pOn->setVisible(on);
    m_pOff->setVisible(!on);
}

bool CAlarmLamp::IsOn() const
{
    return !m_pOn->isHidden();
}
