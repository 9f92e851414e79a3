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

QString PortResolver::device(int portNumber) const
{
#ifdef Q_OS_WIN
    return portName(portNumber);
#else
    const QString fromEnvironment = qEnvironmentVariable(environmentName(portNumber).toLatin1().constData());
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    if (store_) {
        const QString fromSettings = store_->get(kPortsSection, portName(portNumber), QString()).trimmed();
        if (!fromSettings.isEmpty())
            return fromSettings;
    }
    QStringList listed = lister_();
    std::sort(listed.begin(), listed.end());
    if (portNumber >= 1 && portNumber <= listed.size())
        return listed.at(portNumber - 1);
    return QStringLiteral("/dev/ttyS") + QString::number(portNumber - 1);
#endif
}

} // namespace zelko6
