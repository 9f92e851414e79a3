#include "core/programmer/DeviceAccess.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

QString groupName(unsigned groupId)
{
    long size = ::sysconf(_SC_GETGR_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<size_t>(size > 0 ? size : 4096));
    group entry{};
    group *found = nullptr;
    // getgrgid_r: a port may be opened on the link's thread while another thread asks too.
    while (::getgrgid_r(static_cast<gid_t>(groupId), &entry, buffer.data(), buffer.size(), &found) == ERANGE)
        buffer.resize(buffer.size() * 2);
    if (found && found->gr_name)
        return QString::fromLocal8Bit(found->gr_name);
    return QString::number(groupId);
}

QString deviceGroup(const QString &device)
{
    struct stat node {};
    if (::stat(QFile::encodeName(device).constData(), &node) != 0)
        return {};
    return groupName(node.st_gid);
}

} // namespace zelko6
