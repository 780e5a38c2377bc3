#include "GraphSetupDialog.h"

#include "ControlId.h"
#include "GraphSetup.h"
#include "UserDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CGraphSetupDialog::CGraphSetupDialog(QWidget* parent, const CGraphSetupForm& setup)
    : QDialog(parent),
      m_pAutoscale(WithControlId(new QCheckBox("Autoscale", this), setup.nAutoscaleId))
{
    setWindowTitle(setup.strTitle);
    auto* frame = new QGroupBox(setup.strTitle, this);
    auto* form = new QFormLayout(frame);
    for (const CGraphSetupEdit& edit : setup.edits) {
        auto* line =
            WithControlId(new QLineEdit(QString::fromStdString(edit.strText), this), edit.nId);
        form->addRow(edit.strCaption, line);
        m_edits.push_back(line);
        if (edit.bRange)
            m_rangeEdits.push_back(line);
    }
    form->addRow(m_pAutoscale);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    buttons->addButton("Abbrechen", QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CGraphSetupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CGraphSetupDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(buttons);

    m_pAutoscale->setChecked(setup.bAutoscale);
    ShowRangeEnabling();
    connect(m_pAutoscale, &QCheckBox::toggled, this, &CGraphSetupDialog::ShowRangeEnabling);
}

void CGraphSetupDialog::accept()
{
    const std::string refusal = Take();
    if (!refusal.empty()) {
        CUserDialogs::ShowMessage(this, QString::fromStdString(refusal));
        return;
    }
    QDialog::accept();
}

void CGraphSetupDialog::reject()
{
    CancelGraphSetup();
    QDialog::reject();
}

std::string CGraphSetupDialog::Text(std::size_t index) const
{
    return m_edits.at(index)->text().toStdString();
}

bool CGraphSetupDialog::IsAutoscale() const
{
    return m_pAutoscale->isChecked();
}

void CGraphSetupDialog::ShowRangeEnabling()
{
    const bool fixed = !m_pAutoscale->isChecked();
    for (QLineEdit* edit : m_rangeEdits)
        edit->setEnabled(fixed);
}
