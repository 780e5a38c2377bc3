#include "PortNames.h"

#include <QSerialPortInfo>

#include <algorithm>

namespace {

constexpr int kComPorts = 10;

} // namespace

std::string PortPath(const std::string& name)
{
    for (int number = 1; number <= kComPorts; ++number)
        if (name == "COM" + std::to_string(number))
            return "/dev/ttyS" + std::to_string(number - 1);
    return name;
}

std::vector<std::string> OfferedPortNames()
{
    std::vector<std::string> names;
    for (int number = 1; number <= kComPorts; ++number)
        names.push_back("COM" + std::to_string(number));
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        const std::string path = port.systemLocation().toStdString();
        const bool listed = std::any_of(names.begin(), names.end(), [&](const std::string& name) {
            return PortPath(name) == path;
        });
        if (!listed)
            names.push_back(path);
    }
    return names;
}
