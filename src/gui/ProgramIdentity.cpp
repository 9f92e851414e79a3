#include "gui/ProgramIdentity.h"

#include "core/base/Version.h"

#include <QDir>
#include <QGuiApplication>

namespace zelko6 {

QIcon programIcon()
{
    // Every rendering in the resources; each tells its own size.
    QIcon icon;
    const QDir renderings(QStringLiteral(":/icons"));
    for (const QString &name : renderings.entryList(QDir::Files))
        icon.addFile(renderings.filePath(name));
    return icon;
}

void applyProgramIdentity()
{
    QCoreApplication::setApplicationName(kAppTitle);
    QCoreApplication::setApplicationVersion(versionText());
    QGuiApplication::setDesktopFileName(kDesktopEntryId);
    QGuiApplication::setWindowIcon(programIcon());
}

} // namespace zelko6
