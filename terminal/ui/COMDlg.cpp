#include "COMDlg.h"

#include "AboutDlg.h"
#include "ControlId.h"
#include "PortNames.h"
#include "TerminalState.h"
#include "UserDialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QComboBox* MakeList(QWidget* parent, int id, const QStringList& entries, int selection)
{
    auto* box = WithControlId(new QComboBox(parent), id);
    box->addItems(entries);
    box->setCurrentIndex(selection);
    return box;
}

void SelectBeginning(QComboBox* box, const std::string& text)
{
    if (text.empty())
        return;
    const QString wanted = QString::fromStdString(text);
    for (int i = 0; i < box->count(); ++i) {
        if (box->itemText(i).startsWith(wanted, Qt::CaseInsensitive)) {
            box->setCurrentIndex(i);
            return;
        }
    }
    if (box->isEditable())
        box->setEditText(wanted);
}

} // namespace

COMDlg::COMDlg(QWidget* parent)
    : QDialog(parent), m_pDevice(MakeList(this, 1010, {"Zelnar", "Quorin"}, 0)),
      m_pComPort(MakeList(this, 1000, {}, -1)),
      m_pBaudRate(MakeList(this, 1001,
                           {"300", "600", "1200", "2400", "4800", "9600", "14400", "19200", "38400",
                            "57600", "115200", "256000"},
                           10)),
      m_pDataBits(MakeList(this, 1002, {"5", "6", "7", "8"}, 3)),
      m_pParity(MakeList(this, 1003, {"None", "Even", "Odd"}, 0)),
      m_pStopBits(MakeList(this, 1004, {"1", "1.5", "2"}, 0))
{
    setWindowTitle("COM Port Configuration");
    for (const std::string& name : OfferedPortNames())
        m_pComPort->addItem(QString::fromStdString(name));
    // Virtual ports, such as an emulated device's, are typed as device paths.
    m_pComPort->setEditable(true);
    m_pComPort->setInsertPolicy(QComboBox::NoInsert);
    m_pComPort->setCurrentIndex(0);
    m_pStopBits->setEnabled(false);
    m_pDataBits->setEnabled(false);
    m_pParity->setEnabled(false);

    auto* form = new QFormLayout;
    form->addRow("Device", m_pDevice);
    form->addRow("COM Port", m_pComPort);
    form->addRow("Baud Rate", m_pBaudRate);
    form->addRow("Data Bits", m_pDataBits);
    form->addRow("Parity", m_pParity);
    form->addRow("Stop Bits", m_pStopBits);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    WithControlId(buttons->button(QDialogButtonBox::Ok), 1);
    WithControlId(buttons->button(QDialogButtonBox::Cancel), 2);
    auto* about =
        WithControlId(buttons->addButton("&About Telvan Terminal...", QDialogButtonBox::HelpRole),
                      CAboutDlg::kAboutCommand);
    connect(buttons, &QDialogButtonBox::accepted, this, &COMDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COMDlg::reject);
    connect(about, &QPushButton::clicked, this, &COMDlg::OnAbout);
    connect(m_pDevice, &QComboBox::currentIndexChanged, this, &COMDlg::OnSelchangeDevice);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void COMDlg::SetValues(const CPortSettings& settings)
{
    // The family first: choosing it proposes its baud rate, which the settings then replace.
    if (const int device = m_pDevice->findText(QString::fromStdString(settings.device));
        device >= 0)
        m_pDevice->setCurrentIndex(device);
    SelectBeginning(m_pComPort, settings.comPort);
    SelectBeginning(m_pBaudRate, settings.baudRate);
    SelectBeginning(m_pDataBits, settings.dataBits);
    m_pParity->setCurrentIndex(settings.parityIndex);
    m_pStopBits->setCurrentIndex(settings.stopBitsIndex);
}

CPortSettings COMDlg::Values() const
{
    CPortSettings settings;
    settings.device = m_pDevice->currentText().toStdString();
    settings.comPort = m_pComPort->currentText().trimmed().toStdString();
    settings.baudRate = m_pBaudRate->currentText().toStdString();
    settings.dataBits = m_pDataBits->currentText().toStdString();
    settings.parityIndex = m_pParity->currentIndex();
    settings.stopBitsIndex = m_pStopBits->currentIndex();
    return settings;
}

void COMDlg::accept()
{
    PortSettings = Values();
    g_nLogLines = 0;
    QDialog::accept();
}

void COMDlg::OnSelchangeDevice()
{
    const QString device = m_pDevice->currentText();
    if (device == "Zelnar")
        m_pBaudRate->setCurrentIndex(10);
    else if (device == "Quorin")
        m_pBaudRate->setCurrentIndex(5);
}

void COMDlg::OnAbout()
{
    CAboutDlg about(this);
    CUserDialogs::RunModal(about);
}
