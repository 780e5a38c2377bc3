#pragma once

#include "MqttSettings.h"

#include <string>

// Takes host, port and TLS from a broker's URL: mqtt://HOST[:PORT] (port 1883 by default) or
// mqtts://HOST[:PORT] (TLS, port 8883), an IPv6 address in brackets. False with the reason
// when the URL is of another form; a user name and password belong in the configuration, not
// in a URL that every process listing shows.
bool ParseBrokerUrl(const std::string& url, CMqttSettings& settings, std::string& error);

// A topic prefix (levels: with "/" inside) or an ID may not hold the wildcards, and neither
// begins or ends with the level separator.
bool IsTopicPart(const std::string& text, bool levels);
