#include "TerminalSettings.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <limits>

namespace {

constexpr int kDefaultJournalLimitMB = 1024;

const QString kFamilies[] = {QStringLiteral("Zelnar"), QStringLiteral("Quorin")};

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

std::string CTerminalSettings::Text(const QString& key, const std::string& fallback) const
{
    const QVariant value = m_settings.value(key);
    if (!value.isValid() || value.toString().isEmpty())
        return fallback;
    return value.toString().toStdString();
}

int CTerminalSettings::Integer(const QString& key, int fallback, int lowest, int highest) const
{
    bool ok = false;
    const int value = m_settings.value(key).toString().toInt(&ok);
    return ok && value >= lowest && value <= highest ? value : fallback;
}

bool CTerminalSettings::Flag(const QString& key, bool fallback) const
{
    const QString value = m_settings.value(key).toString();
    if (value == QLatin1String("true") || value == QLatin1String("1"))
        return true;
    if (value == QLatin1String("false") || value == QLatin1String("0"))
        return false;
    return fallback;
}

CPortSettings CTerminalSettings::LastConnection() const
{
    CPortSettings settings{"Zelnar", "COM1", "115200", "8", 0, 0};
    const QString family = m_settings.value(QStringLiteral("connection/family")).toString();
    for (const QString& known : kFamilies)
        if (family == known)
            settings.device = known.toStdString();
    settings.comPort = Text(QStringLiteral("connection/port"), settings.comPort);
    const int fallbackBaud = settings.device == "Quorin" ? 9600 : 115200;
    settings.baudRate = std::to_string(Integer(QStringLiteral("connection/baud"), fallbackBaud, 1,
                                               std::numeric_limits<int>::max()));
    settings.dataBits = std::to_string(Integer(QStringLiteral("connection/dataBits"), 8, 5, 8));
    settings.parityIndex = Integer(QStringLiteral("connection/parity"), 0, 0, 2);
    settings.stopBitsIndex = Integer(QStringLiteral("connection/stopBits"), 0, 0, 2);
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
    if (!m_settings.contains(QStringLiteral("graphZL/pointsNumber")))
        return std::nullopt;
    return CGraphSetupZL{Flag(QStringLiteral("graphZL/autoscale"), true),
                         Text(QStringLiteral("graphZL/distanceMax")),
                         Text(QStringLiteral("graphZL/distanceMin")),
                         Text(QStringLiteral("graphZL/speedMax")),
                         Text(QStringLiteral("graphZL/speedMin")),
                         Text(QStringLiteral("graphZL/pointsNumber"))};
}

void CTerminalSettings::SetGraphSetupZL(const CGraphSetupZL& setup)
{
    m_settings.setValue(QStringLiteral("graphZL/autoscale"), setup.bAutoscale);
    m_settings.setValue(QStringLiteral("graphZL/distanceMax"),
                        QString::fromStdString(setup.strDistanceMax));
    m_settings.setValue(QStringLiteral("graphZL/distanceMin"),
                        QString::fromStdString(setup.strDistanceMin));
    m_settings.setValue(QStringLiteral("graphZL/speedMax"),
                        QString::fromStdString(setup.strSpeedMax));
    m_settings.setValue(QStringLiteral("graphZL/speedMin"),
                        QString::fromStdString(setup.strSpeedMin));
    m_settings.setValue(QStringLiteral("graphZL/pointsNumber"),
                        QString::fromStdString(setup.strPointsNumber));
}

std::optional<CGraphSetupQR> CTerminalSettings::GraphSetupQR() const
{
    if (!m_settings.contains(QStringLiteral("graphQR/pointsNumber")))
        return std::nullopt;
    return CGraphSetupQR{Flag(QStringLiteral("graphQR/autoscale"), true),
                         Text(QStringLiteral("graphQR/distanceMax")),
                         Text(QStringLiteral("graphQR/distanceMin")),
                         Text(QStringLiteral("graphQR/pointsNumber"))};
}

void CTerminalSettings::SetGraphSetupQR(const CGraphSetupQR& setup)
{
    m_settings.setValue(QStringLiteral("graphQR/autoscale"), setup.bAutoscale);
    m_settings.setValue(QStringLiteral("graphQR/distanceMax"),
                        QString::fromStdString(setup.strDistanceMax));
    m_settings.setValue(QStringLiteral("graphQR/distanceMin"),
                        QString::fromStdString(setup.strDistanceMin));
    m_settings.setValue(QStringLiteral("graphQR/pointsNumber"),
                        QString::fromStdString(setup.strPointsNumber));
}

std::optional<COscillationSettings> CTerminalSettings::Simulation() const
{
    if (!m_settings.contains(QStringLiteral("simulation/distanceMax")))
        return std::nullopt;
    return COscillationSettings{Text(QStringLiteral("simulation/distanceMax")),
                                Text(QStringLiteral("simulation/distanceMin")),
                                Flag(QStringLiteral("simulation/errors"), true)};
}

void CTerminalSettings::SetSimulation(const COscillationSettings& settings)
{
    m_settings.setValue(QStringLiteral("simulation/distanceMax"),
                        QString::fromStdString(settings.strDistanceMax));
    m_settings.setValue(QStringLiteral("simulation/distanceMin"),
                        QString::fromStdString(settings.strDistanceMin));
    m_settings.setValue(QStringLiteral("simulation/errors"), settings.bErrors);
}

bool CTerminalSettings::LogTime() const
{
    return Flag(QStringLiteral("log/time"), false);
}

void CTerminalSettings::SetLogTime(bool on)
{
    m_settings.setValue(QStringLiteral("log/time"), on);
}

bool CTerminalSettings::Reconnect() const
{
    return Flag(QStringLiteral("connection/reconnect"), true);
}

void CTerminalSettings::SetReconnect(bool on)
{
    m_settings.setValue(QStringLiteral("connection/reconnect"), on);
}

std::int64_t CTerminalSettings::JournalLimitBytes() const
{
    const int megabytes = Integer(QStringLiteral("journal/limitMB"), kDefaultJournalLimitMB, 1,
                                  std::numeric_limits<int>::max());
    return std::int64_t{megabytes} << 20;
}
