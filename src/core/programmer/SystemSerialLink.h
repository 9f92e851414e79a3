#pragma once
// The serial link on this platform's real ports, one file per platform:
// SystemSerialLink_linux.cpp (QSerialPort), SystemSerialLink_windows.cpp (the Win32 port calls).

#include "core/programmer/PortResolver.h"
#include "core/programmer/SerialLink.h"

#include <memory>

namespace zelko6 {

std::unique_ptr<SerialLink> makeSystemSerialLink(PortResolver resolver = PortResolver());

} // namespace zelko6
