#include "transfer/serial/LineRate.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

bool SetExactLineRate(int fd, uint32_t rate)
{
    if (rate == 0)
        return false;
    termios2 t{};
    if (::ioctl(fd, TCGETS2, &t) != 0)
        return false;
    // BOTHER in both speed fields: the rate is the number given, not a table code.
    t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    t.c_ispeed = rate;
    t.c_ospeed = rate;
    return ::ioctl(fd, TCSETS2, &t) == 0;
}

uint32_t GetExactLineRate(int fd)
{
    termios2 t{};
    return ::ioctl(fd, TCGETS2, &t) == 0 ? t.c_ospeed : 0;
}
