#include "TerminalSettings.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <limits>
#include <utility>
#include <vector>

namespace {

constexpr int kDefaultJournalLimitMB = 1024;

const QString kFamilies[] = {QStringLiteral("Zelnar"), QStringLiteral("Quorin")};

std::string Text(const QSettings& settings, const QString& key, const std::string& fallback = {})
{
    const QString value = settings.value(key).toString();
    return value.isEmpty() ? fallback : value.toStdString();
}

int Integer(const QSettings& settings, const QString& key, int fallback, int lowest, int highest)
{
    bool ok = false;
    const int value = settings.value(key).toString().toInt(&ok);
    return ok && value >= lowest && value <= highest ? value : fallback;
}

bool Flag(const QSettings& settings, const QString& key, bool fallback)
{
    const QString value = settings.value(key).toString();
    if (value == QLatin1String("true") || value == QLatin1String("1"))
        return true;
    if (value == QLatin1String("false") || value == QLatin1String("0"))
        return false;
    return fallback;
}

// A dialog's values kept as a group of keys: its texts as they were confirmed, and one check
// box.
template <class Values> struct TGroup
{
    QString name;
    std::vector<std::pair<QString, std::string Values::*>> texts;
    std::pair<QString, bool Values::*> flag;

    QString Key(const QString& key) const { return name + QLatin1Char('/') + key; }
};

const TGroup<CGraphSetupZL> kGraphSetupZL{"graphZL",
                                          {{"distanceMax", &CGraphSetupZL::strDistanceMax},
                                           {"distanceMin", &CGraphSetupZL::strDistanceMin},
                                           {"speedMax", &CGraphSetupZL::strSpeedMax},
                                           {"speedMin", &CGraphSetupZL::strSpeedMin},
                                           {"pointsNumber", &CGraphSetupZL::strPointsNumber}},
                                          {"autoscale", &CGraphSetupZL::bAutoscale}};
const TGroup<CGraphSetupQR> kGraphSetupQR{"graphQR",
                                          {{"distanceMax", &CGraphSetupQR::strDistanceMax},
                                           {"distanceMin", &CGraphSetupQR::strDistanceMin},
                                           {"pointsNumber", &CGraphSetupQR::strPointsNumber}},
                                          {"autoscale", &CGraphSetupQR::bAutoscale}};
const TGroup<COscillationSettings> kSimulation{
    "simulation",
    {{"distanceMax", &COscillationSettings::strDistanceMax},
     {"distanceMin", &COscillationSettings::strDistanceMin}},
    {"errors", &COscillationSettings::bErrors}};
const TGroup<CMqttOptions> kMqtt{"mqtt",
                                 {{"broker", &CMqttOptions::strBroker},
                                  {"topicPrefix", &CMqttOptions::strTopicPrefix},
                                  {"clientId", &CMqttOptions::strClientId},
                                  {"qos", &CMqttOptions::strQos}},
                                 {"publish", &CMqttOptions::bPublish}};

// None while the group was never written.
template <class Values>
std::optional<Values> ReadGroup(const QSettings& settings, const TGroup<Values>& group)
{
    if (!settings.contains(group.Key(group.texts.front().first)))
        return std::nullopt;
    Values values;
    for (const auto& [key, field] : group.texts)
        values.*field = Text(settings, group.Key(key));
    const auto& [key, flag] = group.flag;
    values.*flag = Flag(settings, group.Key(key), values.*flag);
    return values;
}

template <class Values>
void WriteGroup(QSettings& settings, const TGroup<Values>& group, const Values& values)
{
    for (const auto& [key, field] : group.texts)
        settings.setValue(group.Key(key), QString::fromStdString(values.*field));
    settings.setValue(group.Key(group.flag.first), values.*group.flag.second);
}

} // namespace

CTerminalSettings::CTerminalSettings() : m_settings(FilePath(), QSettings::IniFormat) {}

QString CTerminalSettings::FilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/telvan/telvan-terminal.ini");
}

QString CTerminalSettings::CheckFile()
{
    const QString path = FilePath();
    {
        const QSettings settings(path, QSettings::IniFormat);
        if (settings.status() != QSettings::FormatError)
            return {};
    }
    const QString aside = path + QStringLiteral(".damaged");
    QFile::remove(aside);
    if (!QFile::rename(path, aside))
        QFile::remove(path);
    return QStringLiteral("telvan-terminal: %1 is damaged, starting from the default settings "
                          "(the file is kept as %2)")
        .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(aside));
}

void CTerminalSettings::Reset()
{
    QSettings settings(FilePath(), QSettings::IniFormat);
    settings.clear();
    settings.sync();
}

CPortSettings CTerminalSettings::LastConnection() const
{
    CPortSettings settings{"Zelnar", "COM1", "115200", "8", 0, 0};
    const QString family = m_settings.value(QStringLiteral("connection/family")).toString();
    for (const QString& known : kFamilies)
        if (family == known)
            settings.device = known.toStdString();
    settings.comPort = Text(m_settings, QStringLiteral("connection/port"), settings.comPort);
    const int fallbackBaud = settings.device == "Quorin" ? 9600 : 115200;
    settings.baudRate = std::to_string(Integer(m_settings, QStringLiteral("connection/baud"),
                                               fallbackBaud, 1, std::numeric_limits<int>::max()));
    settings.dataBits =
        std::to_string(Integer(m_settings, QStringLiteral("connection/dataBits"), 8, 5, 8));
    settings.parityIndex = Integer(m_settings, QStringLiteral("connection/parity"), 0, 0, 2);
    settings.stopBitsIndex = Integer(m_settings, QStringLiteral("connection/stopBits"), 0, 0, 2);
    return settings;
}

void CTerminalSettings::SetLastConnection(const CPortSettings& settings)
{
    m_settings.setValue(QStringLiteral("connection/family"),
                        QString::fromStdString(settings.device));
    m_settings.setValue(QStringLiteral("connection/port"),
                        QString::fromStdString(settings.comPort));
    m_settings.setValue(QStringLiteral("connection/baud"),
                        QString::fromStdString(settings.baudRate));
    m_settings.setValue(QStringLiteral("connection/dataBits"),
                        QString::fromStdString(settings.dataBits));
    m_settings.setValue(QStringLiteral("connection/parity"), settings.parityIndex);
    m_settings.setValue(QStringLiteral("connection/stopBits"), settings.stopBitsIndex);
}

QByteArray CTerminalSettings::Geometry(const QString& family) const
{
    return m_settings.value(family + QStringLiteral("/geometry")).toByteArray();
}

void CTerminalSettings::SetGeometry(const QString& family, const QByteArray& geometry)
{
    m_settings.setValue(family + QStringLiteral("/geometry"), geometry);
}

QString CTerminalSettings::Folder(const QString& dialog) const
{
    return m_settings.value(QStringLiteral("folders/") + dialog).toString();
}

void CTerminalSettings::SetFolder(const QString& dialog, const QString& folder)
{
    m_settings.setValue(QStringLiteral("folders/") + dialog, folder);
}

std::optional<CGraphSetupZL> CTerminalSettings::GraphSetupZL() const
{
    return ReadGroup(m_settings, kGraphSetupZL);
}

void CTerminalSettings::SetGraphSetupZL(const CGraphSetupZL& setup)
{
    WriteGroup(m_settings, kGraphSetupZL, setup);
}

std::optional<CGraphSetupQR> CTerminalSettings::GraphSetupQR() const
{
    return ReadGroup(m_settings, kGraphSetupQR);
}

void CTerminalSettings::SetGraphSetupQR(const CGraphSetupQR& setup)
{
    WriteGroup(m_settings, kGraphSetupQR, setup);
}

std::optional<COscillationSettings> CTerminalSettings::Simulation() const
{
    return ReadGroup(m_settings, kSimulation);
}

void CTerminalSettings::SetSimulation(const COscillationSettings& settings)
{
    WriteGroup(m_settings, kSimulation, settings);
}

CMqttOptions CTerminalSettings::Mqtt() const
{
    return ReadGroup(m_settings, kMqtt).value_or(CMqttOptions{});
}

void CTerminalSettings::SetMqtt(const CMqttOptions& options)
{
    WriteGroup(m_settings, kMqtt, options);
}

bool CTerminalSettings::LogTime() const
{
    return Flag(m_settings, QStringLiteral("log/time"), false);
}

void CTerminalSettings::SetLogTime(bool on)
{
    m_settings.setValue(QStringLiteral("log/time"), on);
}

bool CTerminalSettings::Reconnect() const
{
    return Flag(m_settings, QStringLiteral("connection/reconnect"), true);
}

void CTerminalSettings::SetReconnect(bool on)
{
    m_settings.setValue(QStringLiteral("connection/reconnect"), on);
}

std::int64_t CTerminalSettings::JournalLimitBytes() const
{
    const int megabytes = Integer(m_settings, QStringLiteral("journal/limitMB"),
                                  kDefaultJournalLimitMB, 1, std::numeric_limits<int>::max());
    return std::int64_t{megabytes} << 20;
}
