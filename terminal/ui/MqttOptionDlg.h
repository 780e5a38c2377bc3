#pragma once

#include <QDialog>

class CDesktopPublisher;
class QCheckBox;
class QComboBox;
class QLineEdit;

// Option › MQTT: the broker, the topic prefix, the client ID, the QoS and whether readings are
// published. A valid OK applies and remembers them; otherwise the dialog tells why, changes
// nothing and stays open.
class CMqttOptionDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kBrokerId = 1300;
    static constexpr int kTopicPrefixId = 1301;
    static constexpr int kQosId = 1302;
    static constexpr int kPublishId = 1303;
    static constexpr int kClientIdId = 1304;

    explicit CMqttOptionDlg(CDesktopPublisher& publisher, QWidget* parent = nullptr);

    void accept() override;

private:
    CDesktopPublisher& m_publisher;
    QLineEdit* m_pBroker;
    QLineEdit* m_pTopicPrefix;
    QLineEdit* m_pClientId;
    QComboBox* m_pQos;
    QCheckBox* m_pPublish;
};
