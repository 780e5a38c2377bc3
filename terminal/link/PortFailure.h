#pragma once

#include <QSerialPort>

#include <string>

// The second line of a port failure message: the port and the system's reason, and for a
// port the user may not open, how to get access.
std::string PortFailureReason(const std::string& path, QSerialPort::SerialPortError error,
                              const QString& systemText);
