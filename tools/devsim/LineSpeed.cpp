#include "LineSpeed.h"

// The kernel's termios2 carries rates without a speed code; its header cannot share a unit
// with <termios.h>.
#include <asm/termbits.h>
#include <sys/ioctl.h>

int CustomBaudRate(int master)
{
    termios2 settings{};
    if (::ioctl(master, TCGETS2, &settings) != 0 || (settings.c_cflag & CBAUD) != BOTHER)
        return 0;
    return static_cast<int>(settings.c_ospeed);
}
