#include "BrokerUrl.h"

#include <QUrl>

namespace {

constexpr int kMqttPort = 1883;
constexpr int kMqttsPort = 8883;

} // namespace

bool ParseBrokerUrl(const std::string& url, CMqttSettings& settings, std::string& error)
{
    const QUrl parsed(QString::fromStdString(url), QUrl::StrictMode);
    const QString scheme = parsed.scheme();
    const auto fail = [&](const std::string& reason) {
        error = "bad broker URL \"" + url + "\": " + reason;
        return false;
    };
    if (!parsed.isValid() || (scheme != "mqtt" && scheme != "mqtts"))
        return fail("use mqtt://HOST[:PORT] or mqtts://HOST[:PORT]");
    if (parsed.host().isEmpty())
        return fail("no host");
    if (!parsed.userInfo().isEmpty())
        return fail("put the user name and password into the configuration file");
    if (!(parsed.path().isEmpty() || parsed.path() == "/") || parsed.hasQuery() ||
        parsed.hasFragment())
        return fail("nothing may follow the port");
    settings.tls = scheme == "mqtts";
    settings.host = parsed.host().toStdString();
    settings.port = parsed.port(settings.tls ? kMqttsPort : kMqttPort);
    if (settings.port <= 0)
        return fail("no port");
    return true;
}

bool IsTopicPart(const std::string& text, bool levels)
{
    return !text.empty() && text.find_first_of(levels ? "+#" : "+#/") == std::string::npos &&
           text.find('\0') == std::string::npos && text.front() != '/' && text.back() != '/';
}
