#include "RecorderOptions.h"

#include "BrokerUrl.h"
#include "ConfigFile.h"

#include <QCommandLineParser>
#include <QDir>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

namespace {

constexpr int kZelnarBaud = 115200;
constexpr int kQuorinBaud = 9600;
constexpr double kMegabyte = 1024.0 * 1024.0;
constexpr double kDefaultQueueMb = 100;

// The keys both the command line and the configuration file take, with the command line's
// value names and descriptions.
struct CKey
{
    const char* name;
    const char* valueName;
    const char* description;
};

constexpr std::array<CKey, 12> kSharedKeys = {{
    {"port", "PATH", "The meter's serial port: a device path such as /dev/ttyUSB0."},
    {"family", "zelnar|quorin", "The meter's family."},
    {"baud", "N", "Baud rate (default 115200 for Zelnar, 9600 for Quorin)."},
    {"command", "CMD",
     "The measuring command: DT, DM, DF, VT, VM, DR or SO (Zelnar); DT, DM, DF, DS, DW, DX or "
     "SO (Quorin). Default DT."},
    {"out", "FILE", "CSV file for one row per reading; appended to when it exists."},
    {"rotate-mb", "N", "Start a new CSV file when the file reaches N megabytes."},
    {"separator", "TEXT", "CSV field separator (default ;)."},
    {"decimal", "CHAR", "CSV decimal separator (default ,)."},
    {"mqtt", "URL", "Publish to the broker at mqtt://HOST[:PORT] or mqtts://HOST[:PORT]."},
    {"topic", "PREFIX", "Topic prefix (default telvan): PREFIX/ID/reading, PREFIX/ID/status."},
    {"qos", "0|1", "MQTT quality of service for readings (default 1)."},
    {"client-id", "ID", "MQTT client ID and the ID in the topics (default: the port's name)."},
}};

// Only in the configuration file: secrets stay out of process listings.
const std::set<std::string> kConfigOnlyKeys = {"username", "password", "cafile", "certfile",
                                               "keyfile", "queue-dir", "queue-mb"};

const std::set<std::string> kZelnarCommands = {"DT", "DM", "DF", "VT", "VM", "DR", "SO"};
const std::set<std::string> kQuorinCommands = {"DT", "DM", "DF", "DS", "DW", "DX", "SO"};

// A value and where it came from, for the messages about it.
struct CSetting
{
    std::string text;
    std::string where; // "--baud" or "FILE:LINE: baud"
};

class CValueReader
{
public:
    explicit CValueReader(std::map<std::string, CSetting> settings) : m_settings(std::move(settings)) {}

    const CSetting* Find(const std::string& key) const
    {
        const auto found = m_settings.find(key);
        return found == m_settings.end() ? nullptr : &found->second;
    }
    std::string Text(const std::string& key, std::string fallback = {}) const
    {
        const CSetting* setting = Find(key);
        return setting ? setting->text : fallback;
    }
    // Fails with the setting's place and what a good value looks like.
    bool Fail(const std::string& key, const std::string& expected)
    {
        const CSetting* setting = Find(key);
        m_error = setting->where + ": \"" + setting->text + "\" is not " + expected;
        return false;
    }
    bool Number(const std::string& key, double& value, double smallest, const std::string& expected)
    {
        const CSetting* setting = Find(key);
        if (!setting)
            return true;
        const std::string& text = setting->text;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
            !std::isfinite(value) || value < smallest)
            return Fail(key, expected);
        return true;
    }
    bool Integer(const std::string& key, int& value, int smallest, int largest,
                 const std::string& expected)
    {
        const CSetting* setting = Find(key);
        if (!setting)
            return true;
        const std::string& text = setting->text;
        int parsed = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
        if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
            parsed < smallest || parsed > largest)
            return Fail(key, expected);
        value = parsed;
        return true;
    }
    bool Refuse(std::string error)
    {
        m_error = std::move(error);
        return false;
    }
    const std::string& Error() const { return m_error; }

private:
    std::map<std::string, CSetting> m_settings;
    std::string m_error;
};

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool ReadOptions(CValueReader& values, const std::string& stateFolder, CRecorderOptions& options)
{
    options.port = values.Text("port");
    if (options.port.empty())
        return values.Refuse("no serial port: give --port PATH");
    if (!values.Find("family"))
        return values.Refuse("no meter family: give --family zelnar or --family quorin");
    const std::string family = Lower(values.Text("family"));
    if (family != "zelnar" && family != "quorin")
        return values.Fail("family", "zelnar or quorin");
    options.family = family == "zelnar" ? MeterFamily::Zelnar : MeterFamily::Quorin;
    options.baudRate = options.family == MeterFamily::Zelnar ? kZelnarBaud : kQuorinBaud;
    if (!values.Integer("baud", options.baudRate, 1, 4000000, "a baud rate"))
        return false;
    options.command = Upper(values.Text("command", "DT"));
    const auto& commands =
        options.family == MeterFamily::Zelnar ? kZelnarCommands : kQuorinCommands;
    if (!commands.contains(options.command))
        return values.Fail("command", "a measuring command of the family");
    options.out = values.Text("out");
    double rotateMb = 0;
    if (!values.Number("rotate-mb", rotateMb, 0, "a size in megabytes"))
        return false;
    options.rotateBytes = static_cast<std::uint64_t>(rotateMb * kMegabyte);
    options.separator = values.Text("separator", ";");
    if (options.separator.empty())
        return values.Fail("separator", "a separator");
    const std::string decimal = values.Text("decimal", ",");
    if (decimal.size() != 1)
        return values.Fail("decimal", "one character");
    options.decimal = decimal.front();

    CMqttSettings& mqtt = options.mqtt;
    options.publish = values.Find("mqtt") != nullptr;
    if (options.publish) {
        std::string error;
        if (!ParseBrokerUrl(values.Text("mqtt"), mqtt, error))
            return values.Refuse(values.Find("mqtt")->where + ": " + error);
    }
    mqtt.topicPrefix = values.Text("topic", "telvan");
    if (!IsTopicPart(mqtt.topicPrefix, true))
        return values.Fail("topic", "a topic prefix without + and #");
    mqtt.clientId = values.Text("client-id", std::filesystem::path(options.port).filename());
    if (!IsTopicPart(mqtt.clientId, false))
        return values.Find("client-id")
                   ? values.Fail("client-id", "an ID without /, + and #")
                   : values.Refuse("the port's name makes no client ID: give --client-id ID");
    if (!values.Integer("qos", mqtt.qos, 0, 1, "0 or 1"))
        return false;
    mqtt.username = values.Text("username");
    mqtt.password = values.Text("password");
    mqtt.caFile = values.Text("cafile");
    mqtt.certFile = values.Text("certfile");
    mqtt.keyFile = values.Text("keyfile");
    if (mqtt.certFile.empty() != mqtt.keyFile.empty())
        return values.Fail(mqtt.certFile.empty() ? "keyfile" : "certfile",
                           "usable without both certfile and keyfile");
    mqtt.queueFolder =
        values.Text("queue-dir", (std::filesystem::path(stateFolder) / ("queue-" + mqtt.clientId)).string());
    double queueMb = kDefaultQueueMb;
    if (!values.Number("queue-mb", queueMb, 1, "a size of at least 1 megabyte"))
        return false;
    mqtt.queueBytes = static_cast<std::uint64_t>(queueMb * kMegabyte);
    if (options.out.empty() && !options.publish)
        return values.Refuse("nothing to record to: give --out FILE, --mqtt URL or both");
    return true;
}

} // namespace

CRecorderArguments ParseRecorderArguments(const QStringList& arguments,
                                          const std::string& stateFolder)
{
    CRecorderArguments result;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Records the readings of a Zelnar or Quorin laser distance meter on a serial port "
        "without a screen: one CSV row per reading, and each reading published to an MQTT "
        "broker. Every option may also stand in the configuration file as \"key = value\", with "
        "username, password, cafile, certfile, keyfile, queue-dir and queue-mb.");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption config("config", "Read the options from FILE first.", "FILE");
    parser.addOption(config);
    for (const CKey& key : kSharedKeys)
        parser.addOption(QCommandLineOption(key.name, key.description, key.valueName));

    if (!parser.parse(arguments)) {
        result.error = parser.errorText().toStdString();
        return result;
    }
    if (parser.isSet(help)) {
        result.action = CRecorderArguments::Action::Help;
        result.help = parser.helpText().toStdString();
        return result;
    }
    if (parser.isSet(version)) {
        result.action = CRecorderArguments::Action::Version;
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.error = "unexpected argument \"" + parser.positionalArguments().front().toStdString() + "\"";
        return result;
    }

    std::map<std::string, CSetting> settings;
    if (parser.isSet(config)) {
        const std::string path = parser.value(config).toStdString();
        CConfigFile file;
        if (!file.Read(path, result.error))
            return result;
        for (const auto& [key, value] : file.Values()) {
            const std::string where = path + ":" + std::to_string(value.line) + ": " + key;
            const bool shared = std::any_of(kSharedKeys.begin(), kSharedKeys.end(),
                                            [&](const CKey& k) { return key == k.name; });
            if (!shared && !kConfigOnlyKeys.contains(key)) {
                result.error = path + ":" + std::to_string(value.line) + ": unknown key \"" + key + "\"";
                return result;
            }
            settings[key] = {value.text, where};
        }
    }
    for (const CKey& key : kSharedKeys) {
        if (parser.isSet(key.name))
            settings[key.name] = {parser.value(key.name).toStdString(), std::string("--") + key.name};
    }

    CValueReader values(std::move(settings));
    if (!ReadOptions(values, stateFolder, result.options)) {
        result.error = values.Error();
        return result;
    }
    result.action = CRecorderArguments::Action::Record;
    return result;
}

std::string DefaultStateFolder()
{
    const QString service = qEnvironmentVariable("STATE_DIRECTORY");
    if (!service.isEmpty())
        return service.section(':', 0, 0).toStdString();
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty())
        state = QDir::home().filePath(".local/state");
    return QDir(state).filePath("telvan-recorder").toStdString();
}
