#include "core/programmer/PortHandle.h"

#include <windows.h>

namespace zelko6::port_handle {

void requestLowLatency(NativeHandle)
{
    // A USB adapter's latency timer is a setting of its driver (the Device Manager's port
    // settings); a program cannot change it through the port.
}

void drainDriver(NativeHandle handle)
{
    // On a communications device this waits until the transmit buffer is empty.
    (void)::FlushFileBuffers(handle);
}

qsizetype writeDirect(NativeHandle, const char *, qsizetype, bool &driverFull)
{
    // QSerialPort opens the port for overlapped writes; a direct write would have to manage its
    // own, so every byte goes through QSerialPort.
    driverFull = false;
    return 0;
}

} // namespace zelko6::port_handle
