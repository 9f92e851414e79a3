#include "gui/SingleInstance.h"

#include <QDir>
#include <QFileInfo>

namespace zelko6 {

namespace {

QString socketPathFor(const QString &lockPath)
{
    const QFileInfo lock(lockPath);
    return lock.dir().filePath(lock.completeBaseName() + QStringLiteral(".socket"));
}

} // namespace

SingleInstance::SingleInstance(const QString &lockPath, QObject *parent)
    : QObject(parent), lock_(lockPath), socketPath_(socketPathFor(lockPath))
{
    lock_.setStaleLockTime(0); // only a live process holds it
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim()
{
    if (!lock_.tryLock(0))
        return false;
    // Should listening fail, later starts still end; they only cannot bring this window forward.
    listen();
    return true;
}

} // namespace zelko6
