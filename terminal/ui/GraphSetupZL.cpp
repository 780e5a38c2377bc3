#include "GraphSetupZL.h"

#include "ControlId.h"
#include "UserDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString FromStd(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToStd(const QLineEdit* edit)
{
    return edit->text().toLatin1().toStdString();
}

} // namespace

GraphSetupZL::GraphSetupZL(QWidget* parent)
    : QDialog(parent), m_pDistanceMax(WithControlId(new QLineEdit(this), 1156)),
      m_pDistanceMin(WithControlId(new QLineEdit(this), 1013)),
      m_pSpeedMax(WithControlId(new QLineEdit(this), 1014)),
      m_pSpeedMin(WithControlId(new QLineEdit(this), 1015)),
      m_pPointsNumber(WithControlId(new QLineEdit(this), 1157)),
      m_pAutoscale(WithControlId(new QCheckBox("Autoscale", this), 1155))
{
    setWindowTitle("Zelnar Graph Setup");
    auto* frame = new QGroupBox("Zelnar Graph Setup", this);
    auto* form = new QFormLayout(frame);
    form->addRow("Distance max", m_pDistanceMax);
    form->addRow("Distance min", m_pDistanceMin);
    form->addRow("Speed max", m_pSpeedMax);
    form->addRow("Speed min", m_pSpeedMin);
    form->addRow("Points Number", m_pPointsNumber);
    form->addRow(m_pAutoscale);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    buttons->addButton("Abbrechen", QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &GraphSetupZL::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &GraphSetupZL::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(buttons);

    const CGraphSetupZL setup = GetGraphSetupZL();
    m_pAutoscale->setChecked(setup.bAutoscale);
    m_pDistanceMax->setText(FromStd(setup.strDistanceMax));
    m_pDistanceMin->setText(FromStd(setup.strDistanceMin));
    m_pSpeedMax->setText(FromStd(setup.strSpeedMax));
    m_pSpeedMin->setText(FromStd(setup.strSpeedMin));
    m_pPointsNumber->setText(FromStd(setup.strPointsNumber));
    ShowRangeEnabling();
    connect(m_pAutoscale, &QCheckBox::toggled, this, &GraphSetupZL::ShowRangeEnabling);
}

void GraphSetupZL::accept()
{
    const std::string refusal = TakeGraphSetupZL(Values());
    if (!refusal.empty()) {
        CUserDialogs::ShowMessage(this, FromStd(refusal));
        return;
    }
    QDialog::accept();
}

void GraphSetupZL::reject()
{
    CancelGraphSetup();
    QDialog::reject();
}

void GraphSetupZL::ShowRangeEnabling()
{
    const bool fixed = !m_pAutoscale->isChecked();
    for (QLineEdit* edit : {m_pDistanceMax, m_pDistanceMin, m_pSpeedMax, m_pSpeedMin})
        edit->setEnabled(fixed);
}

CGraphSetupZL GraphSetupZL::Values() const
{
    return {m_pAutoscale->isChecked(), ToStd(m_pDistanceMax), ToStd(m_pDistanceMin),
            ToStd(m_pSpeedMax),        ToStd(m_pSpeedMin),    ToStd(m_pPointsNumber)};
}
