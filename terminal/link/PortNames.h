#pragma once

#include <string>
#include <vector>

// The device a port name opens: "COM1" ... "COM10" are /dev/ttyS0 ... /dev/ttyS9; a path, or
// the name of a port under /dev, is opened as it is.
std::string PortPath(const std::string& name);

// The ports offered to the operator: COM1 ... COM10, then the paths of the other serial ports
// the system knows (USB adapters and the like).
std::vector<std::string> OfferedPortNames();
