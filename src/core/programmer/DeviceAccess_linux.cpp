#include "core/programmer/DeviceAccess.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace zelko6 {

OpenFailure::Kind refusalKind(int error)
{
    if (error == EACCES || error == EPERM)
        return OpenFailure::Kind::Permission;
    // EBUSY is a port opened exclusively by another program. An open that succeeds here was
    // refused by the serial port's lock file, which another program holds as well.
    return OpenFailure::Kind::InUse;
}

OpenFailure::Kind classifyRefusal(const QString &device)
{
    const QByteArray path = QFile::encodeName(device);
    // Non-blocking: a modem line that is not ready must not hold the open.
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refusalKind(errno);
    ::close(fd);
    return refusalKind(0);
}

} // namespace zelko6
