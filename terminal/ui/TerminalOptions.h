#pragma once

#include "PortSettings.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

// What the command line asks for:
//   telvan-terminal [--port PATH] [--family zelnar|quorin] [--baud N] [--reset-settings]
//                   [--help] [--version]
struct CTerminalOptions
{
    std::optional<std::string> port;
    std::optional<std::string> family; // "Zelnar" or "Quorin"
    std::optional<int> baudRate;
    bool resetSettings = false;
};

// The command line read before the program needs a screen: either the options to run with, or
// what to print (help, version, or a bad value with the usage) and the status to end with.
struct CTerminalCommandLine
{
    CTerminalOptions options;
    std::optional<int> exitStatus; // set: print output and end
    QString output;
    bool toStandardError = false;
};

CTerminalCommandLine ParseTerminalCommandLine(const QStringList& arguments);

// The settings the program starts with: the remembered connection, with what the options name
// instead. Another family than the remembered one brings its own baud rate unless --baud names
// one.
CPortSettings StartSettings(const CTerminalOptions& options, CPortSettings remembered);
