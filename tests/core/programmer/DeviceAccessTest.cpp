// Why a device could not be opened: another program holds it, or the user may not open it, and
// what the system says about the node. The device nodes are real files and real pseudo-terminals.

#include "core/programmer/DeviceAccess.h"
#include "core/programmer/QtSerialLink.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelko6::test {
namespace {

// A file standing in for a device node, in a folder of the test's own.
QString makeNode(const QTemporaryDir &dir)
{
    EXPECT_TRUE(dir.isValid());
    const QString node = dir.filePath(QStringLiteral("ttyLocked"));
    QFile file(node);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    return node;
}

TEST(DeviceAccessTest, TheOwnOpenOfTheNodeTellsPermissionFromUse)
{
    EXPECT_EQ(OpenFailure::Kind::Permission, refusalKind(EACCES));
    EXPECT_EQ(OpenFailure::Kind::Permission, refusalKind(EPERM));
    EXPECT_EQ(OpenFailure::Kind::InUse, refusalKind(EBUSY));
    // The node opens: the serial port's lock file was held by another program.
    EXPECT_EQ(OpenFailure::Kind::InUse, refusalKind(0));
}

TEST(DeviceAccessTest, TheAdviceNamesTheNodesOwnerAndGroupByNameOrElseByNumber)
{
    QTemporaryDir dir;
    const QString node = makeNode(dir);

    // A group of our own that has a name: the group that the file is given.
    const group *named = ::getgrgid(::getegid());
    ASSERT_NE(nullptr, named);
    const QString ownGroup = QString::fromLocal8Bit(named->gr_name);
    const QString ownName = QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name);
    EXPECT_EQ(ownGroup, advisePermission(node).group);
    EXPECT_EQ(ownName, advisePermission(node).owner);

    // Through a link, the node's, not the link's.
    const QString link = dir.filePath(QStringLiteral("by-id-link"));
    ASSERT_TRUE(QFile::link(node, link));
    EXPECT_EQ(ownGroup, advisePermission(link).group);

    EXPECT_EQ(PermissionAdvice{}, advisePermission(dir.filePath(QStringLiteral("absent"))));

    // A group id without a name is given as its number, which usermod accepts as well. Only root
    // may give a file a group it is not in.
    if (::geteuid() == 0) {
        gid_t unnamed = 64000;
        while (::getgrgid(unnamed) != nullptr)
            ++unnamed;
        ASSERT_EQ(0, ::chown(QFile::encodeName(node).constData(), static_cast<uid_t>(-1), unnamed));
        EXPECT_EQ(QString::number(unnamed), advisePermission(link).group);
    }
}

TEST(DeviceAccessTest, ADeviceTheUserMayNotOpenIsReportedAsAPermissionRefusal)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root, who may open any device node; the command-line test "
                        "checks this case as an unprivileged user";
    QTemporaryDir dir;
    const QString node = makeNode(dir);
    ASSERT_EQ(0, ::chmod(QFile::encodeName(node).constData(), 0));

    QtSerialLink link;
    const auto failure = link.open(PortSettings{1, true, false, node});
    ASSERT_TRUE(failure);
    EXPECT_EQ(OpenFailure::Kind::Permission, failure->kind);
    EXPECT_EQ(node, failure->device);
    // Our own node that its mode closes to us: no group would help.
    EXPECT_EQ(PermissionAdvice::Remedy::Unknown, failure->permission.remedy);
    EXPECT_EQ(QString::fromLocal8Bit(::getgrgid(::getegid())->gr_name), failure->permission.group);
}

TEST(DeviceAccessTest, APortAnotherProgramHoldsIsInUseNotForbidden)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(0, grantpt(master));
    ASSERT_EQ(0, unlockpt(master));
    const QString device = QString::fromLocal8Bit(ptsname(master));

    QtSerialLink holder;
    ASSERT_FALSE(holder.open(PortSettings{1, true, false, device}));
    QtSerialLink second;
    const auto failure = second.open(PortSettings{1, true, false, device});
    ASSERT_TRUE(failure);
    EXPECT_EQ(OpenFailure::Kind::InUse, failure->kind) << failure->detail.toStdString();
    EXPECT_EQ(PermissionAdvice{}, failure->permission);
    holder.close();
    ::close(master);
}

} // namespace
} // namespace zelko6::test
