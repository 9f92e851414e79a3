#pragma once
// What the serial link does with the port's own handle, past what QSerialPort offers. One file per
// platform: PortHandle_linux.cpp, PortHandle_windows.cpp.

#include <QSerialPort>
#include <utility>

namespace zelko6::port_handle {

// What QSerialPort::handle() gives: a descriptor on Linux, a HANDLE on Windows.
using NativeHandle = decltype(std::declval<const QSerialPort &>().handle());

// Asks the driver to pass received bytes on at once rather than when its latency timer runs out.
// A driver without the setting refuses, and that is no failure.
void requestLowLatency(NativeHandle handle);

// Returns once the bytes the driver holds are on the wire.
void drainDriver(NativeHandle handle);

// Hands the bytes straight to the driver, as many as it takes now, and gives their count.
// `driverFull` is set when it took no more for lack of room. Where the platform has no such
// shortcut nothing is written and QSerialPort sends them all.
qsizetype writeDirect(NativeHandle handle, const char *bytes, qsizetype size, bool &driverFull);

} // namespace zelko6::port_handle
