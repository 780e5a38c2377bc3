#pragma once

#include "PortSettings.h"

#include <QSerialPort>

#include <optional>
#include <string>

// The port and line settings the link opens and configures its port with.
struct CLinkSettings
{
    std::string portName = "COM1"; // "COM1" ... "COM10", another port's name, or a device path
    int baudRate = 115200;
    int dataBits = 8;
    int parityIndex = 0;   // 0 none, 1 even, 2 odd; any other index is odd
    int stopBitsIndex = 0; // 0 one, 1 one and a half, 2 two; any other keeps the port's setting
};

// The settings chosen in the configuration dialog, with the numbers read from their texts.
CLinkSettings LinkSettingsFrom(const CPortSettings& settings);
// The other way round: the dialog's texts of the link's settings, for the device family given.
CPortSettings PortSettingsFrom(const std::string& device, const CLinkSettings& link);

// The port's values for the settings; none for a number of data bits a port cannot have, and
// none for a stop-bits index beyond the list, which keeps what the port has.
std::optional<QSerialPort::DataBits> DataBitsOf(int bits);
QSerialPort::Parity ParityOf(int index);
std::optional<QSerialPort::StopBits> StopBitsOf(int index);
