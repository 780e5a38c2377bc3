#pragma once

#include <string>

// Option › MQTT: where the terminal publishes the readings of its meter, as the dialog's
// controls show them and as they are remembered.
struct CMqttOptions
{
    std::string strBroker = "mqtt://localhost";
    std::string strTopicPrefix = "telvan";
    std::string strClientId;  // also the ID in the topics; the port's name when empty
    std::string strQos = "1"; // "0" or "1"
    bool bPublish = false;

    bool operator==(const CMqttOptions&) const = default;
};
