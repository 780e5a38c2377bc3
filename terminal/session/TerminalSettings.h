#pragma once

#include "GraphSetup.h"
#include "MqttOptions.h"
#include "OscillationSettings.h"
#include "PortSettings.h"

#include <QByteArray>
#include <QSettings>
#include <QString>

#include <cstdint>
#include <optional>

// What the program remembers between runs, in $XDG_CONFIG_HOME/telvan/telvan-terminal.ini
// (~/.config/telvan/): typed values with their defaults in one place. A value that is missing
// or cannot be used reads as its default.
class CTerminalSettings
{
public:
    CTerminalSettings();

    static QString FilePath();
    // Run once at the start: a file that cannot be read as settings is put aside as
    // "<file>.damaged", so the defaults hold and the next change starts a sound file. Returns
    // the line to show on standard error, empty when the file was sound or missing.
    static QString CheckFile();
    // --reset-settings: forgets everything.
    static void Reset();

    // The last connection that was established; COM Port Configuration opens with it.
    CPortSettings LastConnection() const;
    void SetLastConnection(const CPortSettings& settings);

    // A main dialog's place and size, one per family; empty when never saved.
    QByteArray Geometry(const QString& family) const;
    void SetGeometry(const QString& family, const QByteArray& geometry);

    // The folder a file dialog last took a file from; empty when none.
    QString Folder(const QString& dialog) const;
    void SetFolder(const QString& dialog, const QString& folder);

    // The graph Setup values last confirmed; none before the first.
    std::optional<CGraphSetupZL> GraphSetupZL() const;
    void SetGraphSetupZL(const CGraphSetupZL& setup);
    std::optional<CGraphSetupQR> GraphSetupQR() const;
    void SetGraphSetupQR(const CGraphSetupQR& setup);

    // The Oscillations Settings last confirmed; none before the first.
    std::optional<COscillationSettings> Simulation() const;
    void SetSimulation(const COscillationSettings& settings);

    // Option › MQTT: the defaults, publishing off, before the first OK.
    CMqttOptions Mqtt() const;
    void SetMqtt(const CMqttOptions& options);

    // The Log page's Time box.
    bool LogTime() const;
    void SetLogTime(bool on);

    // Connection › Reconnect automatically.
    bool Reconnect() const;
    void SetReconnect(bool on);

    // How much all session journals together may hold: journal/limitMB, 1024 by default.
    std::int64_t JournalLimitBytes() const;

private:
    QSettings m_settings;
};
