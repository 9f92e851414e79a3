#include "core/programmer/PortResolver.h"

#include "core/base/Settings.h"

#include <QSerialPortInfo>
#include <QtGlobal>
#include <algorithm>

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
#ifdef Q_OS_WIN
    return resolve(portNumber, {});
#else
    // The system is asked only when neither the environment nor the settings name a device.
    ResolvedPort named = resolve(portNumber, {});
    if (named.source == PortSource::Environment || named.source == PortSource::Settings)
        return named;
    return resolve(portNumber, lister_());
#endif
}

ResolvedPort PortResolver::resolve(int portNumber, QStringList listed) const
{
#ifdef Q_OS_WIN
    return {portName(portNumber), PortSource::SystemList};
#else
    const QString fromEnvironment = qEnvironmentVariable(environmentName(portNumber).toLatin1().constData());
    if (!fromEnvironment.isEmpty())
        return {fromEnvironment, PortSource::Environment};
    if (store_) {
        const QString fromSettings = store_->get(kPortsSection, portName(portNumber), QString()).trimmed();
        if (!fromSettings.isEmpty())
            return {fromSettings, PortSource::Settings};
    }
    std::sort(listed.begin(), listed.end());
    if (portNumber >= 1 && portNumber <= listed.size())
        return {listed.at(portNumber - 1), PortSource::SystemList};
    return {QStringLiteral("/dev/ttyS") + QString::number(portNumber - 1), PortSource::Fallback};
#endif
}

} // namespace zelko6
