#include "core/programmer/SystemPorts.h"

#include <QDir>
#include <QFileInfo>

namespace zelko6 {

namespace {

// A link in the by-id folder to the device, which names the adapter rather than the order it was
// plugged in; empty when there is none.
QString stableNameOf(const QString &byIdFolder, const QString &canonicalDevice)
{
    const QDir folder(byIdFolder);
    if (!folder.exists())
        return {};
    const QFileInfoList links =
        folder.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &link : links) {
        if (link.isSymLink() && link.canonicalFilePath() == canonicalDevice)
            return link.absoluteFilePath();
    }
    return {};
}

} // namespace

void PortInventory::locate(PortEntry &entry, const QList<SystemPort> &listed) const
{
    // A link (by-id, or the simulator's) counts as present when what it points at is there.
    const QFileInfo node(entry.device);
    entry.present = node.exists();
    if (!entry.present)
        return;
    const QString canonical = node.canonicalFilePath();
    for (const SystemPort &port : listed) {
        if (QFileInfo(port.location).canonicalFilePath() == canonical) {
            entry.info = port;
            break;
        }
    }
    entry.stableName = stableNameOf(byIdFolder_, canonical);
}

} // namespace zelko6
