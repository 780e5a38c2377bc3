#include "PseudoTerminal.h"

#include "LineSpeed.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The baud rate of a termios speed code; codes of no use to a serial device count as 9600.
int BaudRate(speed_t speed)
{
    static constexpr struct
    {
        speed_t code;
        int rate;
    } kRates[] = {
        {B300, 300},         {B600, 600},         {B1200, 1200},       {B2400, 2400},
        {B4800, 4800},       {B9600, 9600},       {B19200, 19200},     {B38400, 38400},
        {B57600, 57600},     {B115200, 115200},   {B230400, 230400},   {B460800, 460800},
        {B500000, 500000},   {B576000, 576000},   {B921600, 921600},   {B1000000, 1000000},
        {B1152000, 1152000}, {B1500000, 1500000}, {B2000000, 2000000}, {B2500000, 2500000},
        {B3000000, 3000000}, {B3500000, 3500000}, {B4000000, 4000000}};
    for (const auto& rate : kRates)
        if (rate.code == speed)
            return rate.rate;
    return 9600;
}

int DataBits(tcflag_t flags)
{
    switch (flags & CSIZE) {
    case CS5:
        return 5;
    case CS6:
        return 6;
    case CS7:
        return 7;
    default:
        return 8;
    }
}

} // namespace

bool CPseudoTerminal::Open(std::string& error)
{
    Close();
    m_nMaster = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    char path[128];
    termios settings{};
    if (m_nMaster < 0 || ::grantpt(m_nMaster) != 0 || ::unlockpt(m_nMaster) != 0 ||
        ::ptsname_r(m_nMaster, path, sizeof path) != 0 || ::tcgetattr(m_nMaster, &settings) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        Close();
        return false;
    }
    // Raw until the terminal sets its own mode: no byte of a reply is translated or eaten.
    ::cfmakeraw(&settings);
    ::tcsetattr(m_nMaster, TCSANOW, &settings);
    m_strDevicePath = path;
    return true;
}

void CPseudoTerminal::Close()
{
    if (m_nMaster >= 0)
        ::close(m_nMaster);
    m_nMaster = -1;
    m_strDevicePath.clear();
}

termios CPseudoTerminal::Settings() const
{
    termios settings{};
    // On a master, the termios calls reach the settings of the terminal's side.
    ::tcgetattr(m_nMaster, &settings);
    return settings;
}

double CPseudoTerminal::CharactersPerSecond() const
{
    const termios settings = Settings();
    const int bits = 1 + DataBits(settings.c_cflag) + ((settings.c_cflag & PARENB) ? 1 : 0) +
                     ((settings.c_cflag & CSTOPB) ? 2 : 1);
    const int custom = CustomBaudRate(m_nMaster);
    return static_cast<double>(custom > 0 ? custom : BaudRate(::cfgetospeed(&settings))) / bits;
}
