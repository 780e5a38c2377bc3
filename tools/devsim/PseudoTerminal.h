#pragma once

#include <string>

#include <termios.h>

// A pseudo-terminal pair: the emulator keeps the master side, the terminal opens the device
// path of the other side as its serial port.
class CPseudoTerminal
{
public:
    CPseudoTerminal() = default;
    ~CPseudoTerminal() { Close(); }
    CPseudoTerminal(const CPseudoTerminal&) = delete;
    CPseudoTerminal& operator=(const CPseudoTerminal&) = delete;

    // Opens a new pair in raw mode; on failure error says why.
    bool Open(std::string& error);
    // Closing the master hangs the line up for whoever has the device open.
    void Close();

    int Master() const { return m_nMaster; }
    const std::string& DevicePath() const { return m_strDevicePath; }

    // The line settings the terminal chose on its side.
    termios Settings() const;
    // How many characters a second the line carries with those settings.
    double CharactersPerSecond() const;

private:
    int m_nMaster = -1;
    std::string m_strDevicePath;
};
