#pragma once

#include <string>
#include <string_view>

// The measurement a device keeps running, as far as the commands written to it tell: the last
// continuous acquisition (DT, DF, VT; DS, DW, DX) until ESC or a cold start (DR) ends it. When a
// lost port comes back, it is written again so that measuring goes on. Single commands (DM, VM,
// SO, ...) are over with their reply and are never repeated: SO again would move the zero point.
class CRunningAcquisition
{
public:
    // Takes the bytes of one write to the device.
    void Wrote(std::string_view bytes);
    // The command to write again, with its carriage return; empty when none runs.
    const std::string& Command() const { return m_strCommand; }

private:
    void TakeLine(std::string_view line);

    std::string m_strCommand;
};
