#pragma once

#include "MqttSettings.h"

#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>

enum class MeterFamily
{
    Zelnar,
    Quorin,
};

// What the command line and the configuration file of telvan-recorder ask for.
struct CRecorderOptions
{
    std::string port;
    MeterFamily family = MeterFamily::Zelnar;
    int baudRate = 0; // the family's default when 0
    std::string command = "DT";
    std::string out; // the CSV file; none when empty
    std::uint64_t rotateBytes = 0; // 0: never
    std::string separator = ";";
    char decimal = ',';
    bool publish = false;
    CMqttSettings mqtt;
};

// What a run of the program is to do: show the help or the version, record, or fail with one
// line naming what is wrong.
struct CRecorderArguments
{
    enum class Action
    {
        Record,
        Help,
        Version,
        Fail,
    };
    Action action = Action::Fail;
    CRecorderOptions options;
    std::string error;
    std::string help; // the usage, for Help
};

// Parses the arguments (the program's name first); the configuration file of --config gives
// the values the command line leaves out. stateFolder holds the MQTT queue by default.
CRecorderArguments ParseRecorderArguments(const QStringList& arguments,
                                          const std::string& stateFolder);

// Where a program keeps state between runs: $STATE_DIRECTORY (a systemd service's), else
// $XDG_STATE_HOME/telvan-recorder, else ~/.local/state/telvan-recorder.
std::string DefaultStateFolder();
