#include "core/programmer/PortHandle.h"

#include <cerrno>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace zelko6::port_handle {

void requestLowLatency(NativeHandle handle)
{
    // Every chunk is a round trip; a USB adapter that holds received bytes for its latency timer
    // (16 ms by default) would stretch a 128 KiB transfer by minutes. Drivers without the knob,
    // pseudo-terminals among them, refuse, and then there is nothing to gain anyway.
    serial_struct serial{};
    if (::ioctl(handle, TIOCGSERIAL, &serial) != 0)
        return;
    serial.flags |= ASYNC_LOW_LATENCY;
    (void)::ioctl(handle, TIOCSSERIAL, &serial);
}

void drainDriver(NativeHandle handle)
{
    // Immediate on a pseudo-terminal, whose queue is the other side's input.
    ::tcdrain(handle);
}

qsizetype writeDirect(NativeHandle handle, const char *bytes, qsizetype size, bool &driverFull)
{
    qsizetype written = 0;
    driverFull = false;
    while (written < size) {
        const ssize_t n = ::write(handle, bytes + written, static_cast<size_t>(size - written));
        if (n > 0) {
            written += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            driverFull = n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
            break; // a failing device is left to QSerialPort, which reports it and the link is lost
        }
    }
    return written;
}

} // namespace zelko6::port_handle
