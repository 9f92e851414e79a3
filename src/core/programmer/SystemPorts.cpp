#include "core/programmer/SystemPorts.h"

#include "core/base/Settings.h"

#include <QSerialPortInfo>

namespace zelko6 {

QList<SystemPort> QtSystemPortList::ports() const
{
    QList<SystemPort> listed;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        SystemPort port{
            info.systemLocation(), info.description(), info.manufacturer(), info.serialNumber(), {}, {}};
        if (info.hasVendorIdentifier())
            port.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier())
            port.productId = info.productIdentifier();
        listed << port;
    }
    return listed;
}

QString usbIds(const SystemPort &port)
{
    if (!port.vendorId || !port.productId)
        return {};
    return QStringLiteral("%1:%2")
        .arg(*port.vendorId, 4, 16, QLatin1Char('0'))
        .arg(*port.productId, 4, 16, QLatin1Char('0'));
}

PortInventory::PortInventory(const SettingsStore *store, const SystemPortList &list, QString byIdFolder)
    : store_(store), list_(list), byIdFolder_(std::move(byIdFolder))
{
}

std::vector<PortEntry> PortInventory::entries() const
{
    const QList<SystemPort> listed = list_.ports();
    std::vector<PortEntry> all;
    for (int number = kFirstPortNumber; number <= kLastPortNumber; ++number)
        all.push_back(describe(number, listed));
    return all;
}

PortEntry PortInventory::entry(int portNumber) const
{
    return describe(portNumber, list_.ports());
}

PortEntry PortInventory::describe(int portNumber, const QList<SystemPort> &listed) const
{
    QStringList locations;
    for (const SystemPort &port : listed)
        locations << port.location;
    const PortResolver resolver(store_);
    const ResolvedPort resolved = resolver.resolve(portNumber, locations);
    PortEntry entry;
    entry.number = portNumber;
    entry.device = resolved.device;
    entry.source = resolved.source;
    locate(entry, listed);
    return entry;
}

bool keepChosenDevice(SettingsStore &store, const PortEntry &entry)
{
    if (!entry.present || entry.source == PortSource::Environment)
        return false;
    // Where the number is the system's own name for the port (Windows' COMn), it keeps meaning
    // that port without help.
    if (entry.source == PortSource::SystemList && !PortResolver::numberingNeedsSystemList())
        return false;
    const QString keep = entry.stableName.isEmpty() ? entry.device : entry.stableName;
    const QString key = PortResolver::portName(entry.number);
    if (store.get(PortResolver::settingsSection(), key, QString()).trimmed() == keep)
        return false;
    store.save(PortResolver::settingsSection(), key, keep);
    return true;
}

} // namespace zelko6
