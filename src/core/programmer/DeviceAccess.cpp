#include "core/programmer/DeviceAccess.h"

#include <QFile>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
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

QString groupName(unsigned groupId)
{
#ifdef Q_OS_UNIX
    long size = ::sysconf(_SC_GETGR_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<size_t>(size > 0 ? size : 4096));
    group entry{};
    group *found = nullptr;
    // getgrgid_r: a port may be opened on the link's thread while another thread asks too.
    while (::getgrgid_r(static_cast<gid_t>(groupId), &entry, buffer.data(), buffer.size(), &found) == ERANGE)
        buffer.resize(buffer.size() * 2);
    if (found && found->gr_name)
        return QString::fromLocal8Bit(found->gr_name);
#endif
    return QString::number(groupId);
}

QString deviceGroup(const QString &device)
{
#ifdef Q_OS_UNIX
    struct stat node {};
    if (::stat(QFile::encodeName(device).constData(), &node) != 0)
        return {};
    return groupName(node.st_gid);
#else
    Q_UNUSED(device);
    return {};
#endif
}

void explainRefusal(OpenFailure &failure)
{
    failure.kind = classifyRefusal(failure.device);
    if (failure.kind == OpenFailure::Kind::Permission)
        failure.group = deviceGroup(failure.device);
}

} // namespace zelko6
