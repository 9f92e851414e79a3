#include "core/base/ProgramFolder.h"

#include "core/base/Settings.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace zelko6 {

// Absolute, native separators, one trailing separator: the form every "folder + name" here uses.
static QString folderWithSeparator(const QString &folder)
{
    QString dir = QDir::toNativeSeparators(QDir(folder).absolutePath());
    if (!dir.endsWith(QDir::separator()))
        dir += QDir::separator();
    return dir;
}

QString GetAppDir(const QString &programDirectory)
{
    if (!QDir::setCurrent(programDirectory))
        return {};
    return folderWithSeparator(programDirectory);
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

bool canCreateFilesIn(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".zelko6-probe-XXXXXX")));
    return probe.open(); // removed again when `probe` goes
}

QString userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/' + kSettingsName;
}

QString folderForOwnFiles(const QString &programDirectory, const FolderProbe &canWrite)
{
    const bool writable = canWrite ? canWrite(programDirectory) : canCreateFilesIn(programDirectory);
    if (writable)
        return folderWithSeparator(programDirectory);
    const QString data = userDataFolder();
    // Nowhere better: the writes then fail in the program folder, as they always did.
    if (!QDir().mkpath(data))
        return folderWithSeparator(programDirectory);
    return folderWithSeparator(data);
}

QString userOrProgramFile(const QString &programDirectory, const QString &fileName)
{
    const QString own = QDir(userCopiesFolder()).filePath(fileName);
    if (FileExists(own))
        return QDir::toNativeSeparators(own);
    return folderWithSeparator(programDirectory) + fileName;
}

} // namespace zelko6
