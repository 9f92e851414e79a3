#include "core/programmer/SystemPorts.h"

namespace zelko6 {

namespace {

// "COM3" from "\\.\COM3" or "//./COM3": the system lists a port by its device path, the program
// and the user name it by its name, in any case.
QString portNameOf(const QString &device)
{
    for (const QLatin1String prefix : {QLatin1String("\\\\.\\"), QLatin1String("//./")}) {
        if (device.startsWith(prefix))
            return device.mid(prefix.size()).toUpper();
    }
    return device.toUpper();
}

} // namespace

// A COM port is no file to look for: it is there when the system lists it (an adapter plugged in,
// a built-in port), and absent otherwise. Windows gives an adapter the same COM number each time it
// is plugged in, so the number is its stable name already.
void PortInventory::locate(PortEntry &entry, const QList<SystemPort> &listed) const
{
    const QString name = portNameOf(entry.device);
    for (const SystemPort &port : listed) {
        if (portNameOf(port.location) == name) {
            entry.present = true;
            entry.info = port;
            return;
        }
    }
}

} // namespace zelko6
