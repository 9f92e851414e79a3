#include "core/base/ProgramFolder.h"

#include "core/base/PathKind.h"
#include "core/base/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    // Opening a FIFO that has no writer would wait for one for good: what is neither a file nor a
    // folder is judged by its permissions instead.
    if (pathKindOf(path) == PathKind::Other)
        return QFileInfo(path).isReadable();
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

bool isInstalledProgramFolder(const QString &programDirectory)
{
    return !programDirectory.isEmpty() &&
           QFileInfo(QDir(programDirectory).filePath(kInstalledMarkerName)).isFile();
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
    // Only a build tree or a copied folder is asked: root writes into any folder.
    const bool installed = isInstalledProgramFolder(programDirectory);
    if (!installed && (canWrite ? canWrite(programDirectory) : canCreateFilesIn(programDirectory)))
        return folderWithSeparator(programDirectory);
    const QString data = userDataFolder();
    // An installed folder is never written, even when nothing better is there: the writes then
    // fail in the data folder and say so. Otherwise the program folder, as it always was.
    if (!QDir().mkpath(data) && !installed)
        return folderWithSeparator(programDirectory);
    return folderWithSeparator(data);
}

QString firstDialogFolder(const QString &programDirectory)
{
    if (!isInstalledProgramFolder(programDirectory))
        return {};
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

bool isRememberedSaveFolder(const QString &folder)
{
    // access(2) underneath: the user's own rights, a read-only mount included, with no file made
    // in the user's folder to find out.
    const QFileInfo info(folder);
    return !folder.isEmpty() && info.isDir() && info.isWritable();
}

QString userOrProgramFile(const QString &programDirectory, const QString &fileName)
{
    const QString own = QDir(userSettingsFolder()).filePath(fileName);
    if (FileExists(own))
        return QDir::toNativeSeparators(own);
    return folderWithSeparator(programDirectory) + fileName;
}

} // namespace zelko6
