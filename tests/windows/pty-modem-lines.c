/* Loaded into Wine (LD_PRELOAD) for the tests that put a COM port on a pseudo-terminal; the
 * programs under test are not changed. Wine's wait for serial events (WaitCommEvent, which Qt's
 * serial port keeps pending to hear that bytes came in) reads the port's modem lines on every poll
 * and gives up when it cannot, and a pseudo-terminal has none. Here a pseudo-terminal answers as a
 * line with CTS, DSR and carrier up, and takes RTS and DTR changes without effect. Any other device
 * and request go to the system untouched. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdarg.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

int ioctl(int fd, unsigned long request, ...)
{
    static int (*system_ioctl)(int, unsigned long, ...);
    if (!system_ioctl)
        system_ioctl = (int (*)(int, unsigned long, ...))dlsym(RTLD_NEXT, "ioctl");
    va_list arguments;
    va_start(arguments, request);
    void *argument = va_arg(arguments, void *);
    va_end(arguments);

    const int result = system_ioctl(fd, request, argument);
    const int error = errno;
    if (result == 0 || error != ENOTTY || !isatty(fd)) {
        errno = error;
        return result;
    }
    switch (request) {
    case TIOCMGET:
        *(int *)argument = TIOCM_CTS | TIOCM_DSR | TIOCM_CAR;
        return 0;
    case TIOCMSET:
    case TIOCMBIS:
    case TIOCMBIC:
        return 0;
    default:
        errno = error;
        return result;
    }
}
