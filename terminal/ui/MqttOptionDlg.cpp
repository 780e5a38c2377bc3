#include "MqttOptionDlg.h"

#include "ControlId.h"
#include "DesktopPublisher.h"
#include "UserDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CMqttOptionDlg::CMqttOptionDlg(CDesktopPublisher& publisher, QWidget* parent)
    : QDialog(parent), m_publisher(publisher),
      m_pBroker(WithControlId(new QLineEdit(this), kBrokerId)),
      m_pTopicPrefix(WithControlId(new QLineEdit(this), kTopicPrefixId)),
      m_pClientId(WithControlId(new QLineEdit(this), kClientIdId)),
      m_pQos(WithControlId(new QComboBox(this), kQosId)),
      m_pPublish(WithControlId(new QCheckBox("Publish readings while connected", this), kPublishId))
{
    setWindowTitle("MQTT");
    m_pBroker->setPlaceholderText("mqtt://host:1883 or mqtts://host:8883");
    m_pClientId->setPlaceholderText("the port's name");
    m_pQos->addItems({"0", "1"});
    auto* form = new QFormLayout;
    form->addRow("Broker", m_pBroker);
    form->addRow("Topic prefix", m_pTopicPrefix);
    form->addRow("Client ID", m_pClientId);
    form->addRow("QoS", m_pQos);
    form->addRow(m_pPublish);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CMqttOptionDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CMqttOptionDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    const CMqttOptions& options = publisher.Options();
    m_pBroker->setText(QString::fromStdString(options.strBroker));
    m_pTopicPrefix->setText(QString::fromStdString(options.strTopicPrefix));
    m_pClientId->setText(QString::fromStdString(options.strClientId));
    m_pQos->setCurrentText(QString::fromStdString(options.strQos));
    m_pPublish->setChecked(options.bPublish);
}

void CMqttOptionDlg::accept()
{
    const CMqttOptions options{m_pBroker->text().trimmed().toStdString(),
                               m_pTopicPrefix->text().trimmed().toStdString(),
                               m_pClientId->text().trimmed().toStdString(),
                               m_pQos->currentText().toStdString(), m_pPublish->isChecked()};
    if (const QString refusal = m_publisher.Apply(options); !refusal.isEmpty()) {
        CUserDialogs::ShowMessage(this, QStringLiteral("MQTT: ") + refusal);
        return;
    }
    QDialog::accept();
}
