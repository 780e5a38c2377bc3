#include "LinkSettings.h"

#include <cstdlib>

CLinkSettings LinkSettingsFrom(const CPortSettings& settings)
{
    CLinkSettings link;
    link.portName = settings.comPort;
    link.baudRate = std::atoi(settings.baudRate.c_str());
    link.dataBits = std::atoi(settings.dataBits.c_str());
    link.parityIndex = settings.parityIndex;
    link.stopBitsIndex = settings.stopBitsIndex;
    return link;
}

CPortSettings PortSettingsFrom(const std::string& device, const CLinkSettings& link)
{
    return {device,
            link.portName,
            std::to_string(link.baudRate),
            std::to_string(link.dataBits),
            link.parityIndex,
            link.stopBitsIndex};
}

std::optional<QSerialPort::DataBits> DataBitsOf(int bits)
{
    switch (bits) {
    case 5:
        return QSerialPort::Data5;
    case 6:
        return QSerialPort::Data6;
    case 7:
        return QSerialPort::Data7;
    case 8:
        return QSerialPort::Data8;
    default:
        return std::nullopt;
    }
}

QSerialPort::Parity ParityOf(int index)
{
    switch (index) {
    case 0:
        return QSerialPort::NoParity;
    case 1:
        return QSerialPort::EvenParity;
    default:
        return QSerialPort::OddParity;
    }
}

std::optional<QSerialPort::StopBits> StopBitsOf(int index)
{
    switch (index) {
    case 0:
        return QSerialPort::OneStop;
    case 1:
        return QSerialPort::OneAndHalfStop;
    case 2:
        return QSerialPort::TwoStop;
    default:
        return std::nullopt;
    }
}
