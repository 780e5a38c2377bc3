#include "COscillationsDlg.h"

#include "ControlId.h"
#include "OscillationSettings.h"
#include "TerminalSettings.h"
#include "UserDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

COscillationsDlg::COscillationsDlg(QWidget* parent)
    : QDialog(parent), m_pDistanceMax(WithControlId(new QLineEdit(this), 1163)),
      m_pDistanceMin(WithControlId(new QLineEdit(this), 1013)),
      m_pErrors(WithControlId(new QCheckBox("Errors", this), 1162))
{
    setWindowTitle("Oscillations Settings");
    auto* form = new QFormLayout;
    form->addRow("Distance Max", m_pDistanceMax);
    form->addRow("Distance Min", m_pDistanceMin);
    form->addRow(m_pErrors);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    buttons->addButton("Abbrechen", QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &COscillationsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COscillationsDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    // A main dialog starts with the default run; the dialog offers the one confirmed last.
    if (const auto remembered = CTerminalSettings().Simulation())
        RestoreOscillationSettings(*remembered);
    const COscillationSettings settings = GetOscillationSettings();
    m_pDistanceMax->setText(QString::fromStdString(settings.strDistanceMax));
    m_pDistanceMin->setText(QString::fromStdString(settings.strDistanceMin));
    m_pErrors->setChecked(settings.bErrors);
}

void COscillationsDlg::accept()
{
    const std::string refusal = TakeOscillationSettings(
        {m_pDistanceMax->text().toLatin1().toStdString(),
         m_pDistanceMin->text().toLatin1().toStdString(), m_pErrors->isChecked()});
    if (!refusal.empty()) {
        CUserDialogs::ShowMessage(this, QString::fromStdString(refusal));
        return;
    }
    CTerminalSettings().SetSimulation(GetOscillationSettings());
    QDialog::accept();
}
