// Why a device could not be opened: another program holds it, or the user may not open it and
// which group would let them. The device nodes are real files and real pseudo-terminals.

#include "core/programmer/DeviceAccess.h"
#include "core/programmer/QtSerialLink.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <grp.h>
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

TEST(DeviceAccessTest, TheGroupIsTheNodesOwnerByNameOrElseByNumber)
{
    QTemporaryDir dir;
    const QString node = makeNode(dir);

    // A group of our own that has a name: the group that the file is given.
    const gid_t own = ::getegid();
    const group *named = ::getgrgid(own);
    ASSERT_NE(nullptr, named);
    EXPECT_EQ(QString::fromLocal8Bit(named->gr_name), deviceGroup(node));

    // Through a link, the node's group, not the link's.
    const QString link = dir.filePath(QStringLiteral("by-id-link"));
    ASSERT_TRUE(QFile::link(node, link));
    EXPECT_EQ(QString::fromLocal8Bit(named->gr_name), deviceGroup(link));

    EXPECT_TRUE(deviceGroup(dir.filePath(QStringLiteral("absent"))).isEmpty());

    // A group id without a name is given as its number, which usermod accepts as well.
    gid_t unnamed = 64000;
    while (::getgrgid(unnamed) != nullptr)
        ++unnamed;
    EXPECT_EQ(QString::number(unnamed), groupName(unnamed));
}

TEST(DeviceAccessTest, ADeviceTheUserMayNotOpenIsReportedWithItsGroup)
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
    EXPECT_EQ(QString::fromLocal8Bit(::getgrgid(::getegid())->gr_name), failure->group);
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
    EXPECT_TRUE(failure->group.isEmpty());
    holder.close();
    ::close(master);
}

} // namespace
} // namespace zelko6::test
