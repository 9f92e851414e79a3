#include "core/programmer/PortResolver.h"

#include "core/base/Settings.h"

#include <QSerialPortInfo>
#include <QtGlobal>

namespace zelko6 {

namespace {
const QString kPortsSection = QStringLiteral("Ports");
const QString kPortNamePrefix = QStringLiteral("COM");
} // namespace

PortResolver::PortResolver(const SettingsStore *store, PortLister lister)
    : store_(store), lister_(lister ? std::move(lister) : PortLister(&PortResolver::systemPorts))
{
}

QString PortResolver::portName(int portNumber)
{
    return kPortNamePrefix + QString::number(portNumber);
}

QString PortResolver::environmentName(int portNumber)
{
    return QStringLiteral("ZELKO6_") + portName(portNumber);
}

QStringList PortResolver::systemPorts()
{
    QStringList locations;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        locations << info.systemLocation();
    return locations;
}

QString PortResolver::settingsSection()
{
    return kPortsSection;
}

ResolvedPort PortResolver::resolve(int portNumber) const
{
    // The system is asked only when neither the environment nor the settings name a device, and
    // only where the numbering needs its list.
    ResolvedPort named = resolve(portNumber, {});
    if (named.source == PortSource::Environment || named.source == PortSource::Settings ||
        !numberingNeedsSystemList())
        return named;
    return resolve(portNumber, lister_());
}

ResolvedPort PortResolver::resolve(int portNumber, QStringList listed) const
{
    const QString fromEnvironment = qEnvironmentVariable(environmentName(portNumber).toLatin1().constData());
    if (!fromEnvironment.isEmpty())
        return {fromEnvironment, PortSource::Environment};
    if (store_) {
        const QString fromSettings = store_->get(kPortsSection, portName(portNumber), QString()).trimmed();
        if (!fromSettings.isEmpty())
            return {fromSettings, PortSource::Settings};
    }
    return numberedDevice(portNumber, std::move(listed));
}

} // namespace zelko6
