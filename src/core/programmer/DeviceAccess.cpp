#include "core/programmer/DeviceAccess.h"

#include <QFile>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zelko6 {

OpenFailure::Kind refusalKind(int error)
{
#ifdef Q_OS_UNIX
    if (error == EACCES || error == EPERM)
        return OpenFailure::Kind::Permission;
#endif
    // EBUSY is a port opened exclusively by another program. An open that succeeds here was
    // refused by the serial port's lock file, which another program holds as well.
    return OpenFailure::Kind::InUse;
}

OpenFailure::Kind classifyRefusal(const QString &device)
{
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(device);
    // Non-blocking: a modem line that is not ready must not hold the open.
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refusalKind(errno);
    ::close(fd);
    return refusalKind(0);
#else
    Q_UNUSED(device);
    return OpenFailure::Kind::Busy;
#endif
}

void explainRefusal(OpenFailure &failure)
{
    failure.kind = classifyRefusal(failure.device);
    if (failure.kind == OpenFailure::Kind::Permission)
        failure.permission = advisePermission(failure.device);
}

} // namespace zelko6
