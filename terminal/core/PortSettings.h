#pragma once

#include <string>

// The port and device chosen in the configuration dialog, read by a main dialog at its start.
struct CPortSettings
{
    std::string device;    // "Zelnar" or "Quorin"
    std::string comPort;   // "COM1" ... "COM10", or a device path
    std::string baudRate;  // decimal text, "115200"
    std::string dataBits;  // "5" ... "8"
    int parityIndex = 0;   // 0 None, 1 Even, 2 Odd
    int stopBitsIndex = 0; // 0 "1", 1 "1.5", 2 "2"
};

extern CPortSettings PortSettings;
