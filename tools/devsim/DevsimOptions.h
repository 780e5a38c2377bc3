#pragma once

#include "Device.h"

#include <cstdint>
#include <string>
#include <vector>

// What the command line of telvan-devsim asks for.
struct CDevsimOptions
{
    bool help = false;
    DeviceFamily family = DeviceFamily::Zelnar;
    std::string link; // a symbolic link to the device, made at start and removed at the end
    std::uint32_t seed = 1;
    bool maxRate = false;
};

struct CDevsimArguments
{
    CDevsimOptions options;
    std::string error; // empty when the arguments are valid
};

// Parses the arguments after the program name.
CDevsimArguments ParseDevsimArguments(const std::vector<std::string>& args);

std::string DevsimUsage();
