#include "core/base/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace zelko6 {

QString GetAppDir(const QString &programDirectory)
{
    if (!QDir::setCurrent(programDirectory))
        return {};
    QString dir = QDir::toNativeSeparators(QDir(programDirectory).absolutePath());
    if (!dir.endsWith(QDir::separator()))
        dir += QDir::separator();
    return dir;
}

bool FileExists(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

QString defaultInstanceLockPath()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + QStringLiteral("/zelko6.lock");
}

} // namespace zelko6
