// The real serial link on a pseudo-terminal that the test holds the other end of, and the order
// in which port numbers find their devices.

#include "core/programmer/QtSerialLink.h"
#include "core/programmer/Protocol.h"
#include "support/TestSupport.h"
#include "support/Waiting.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <thread>
#include <unistd.h>

namespace zelko6::test {
namespace {

class PtyLinkTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master_, 0);
        ASSERT_EQ(0, grantpt(master_));
        ASSERT_EQ(0, unlockpt(master_));
        qputenv("ZELKO6_COM7", ptsname(master_));
    }
    void TearDown() override
    {
        link.close();
        if (master_ >= 0)
            ::close(master_);
        qunsetenv("ZELKO6_COM7");
    }
    void boardWrites(const QByteArray &bytes)
    {
        ASSERT_EQ(bytes.size(), ::write(master_, bytes.data(), bytes.size()));
    }
    QByteArray boardReads(int wanted) { return receiveFrom(master_, wanted); }

    int master_ = -1;
    QtPump pump;
    QtSerialLink link;
};

TEST_F(PtyLinkTest, MovesBytesBothWaysWithoutModemLines)
{
    // A pseudo-terminal refuses RTS and DTR; the port is usable all the same.
    ASSERT_FALSE(link.open(PortSettings{7, true, true, {}}));
    ASSERT_TRUE(link.isOpen());
    EXPECT_FALSE(link.lost());

    boardWrites("QT-LNK");
    ASSERT_TRUE(waitUntil("six bytes at the link", [&] { return link.pendingCount() >= 6; }));
    EXPECT_EQ(QByteArray("QT-LNK"), link.takeAll());
    EXPECT_EQ(0, link.pendingCount());

    boardWrites("late");
    ASSERT_TRUE(waitUntil("four more bytes at the link", [&] { return link.pendingCount() >= 4; }));
    link.discardInput();
    EXPECT_EQ(0, link.pendingCount());

    link.send("e2R");
    EXPECT_EQ(QByteArray("e2R"), boardReads(3));
    // The last chunk of a write is on its way before the port closes.
    const QByteArray chunk(16, '\x5A');
    link.send(chunk);
    link.close();
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(chunk, boardReads(16));
}

TEST_F(PtyLinkTest, ElementsTheDriverCannotTakeAtOnceArriveWholeAndInOrder)
{
    // Far more than a pseudo-terminal holds: the driver takes part, the port queues the rest, and
    // what is sent next must wait behind it.
    ASSERT_FALSE(link.open(PortSettings{7, true, false, {}}));
    QByteArray first(256 * 1024, '\0');
    for (int i = 0; i < first.size(); ++i)
        first[i] = static_cast<char>(i * 7 + (i >> 9));
    const QByteArray second("after");
    QByteArray received;
    std::atomic<bool> done{false};
    std::thread board([&] {
        received = boardReads(static_cast<int>(first.size() + second.size()));
        done = true;
    });
    link.send(first);
    link.send(second);
    const auto arrived = waitUntil("every byte at the board", [&] { return done.load(); });
    board.join();
    ASSERT_TRUE(arrived);
    EXPECT_TRUE(received == first + second);
    EXPECT_FALSE(link.lost());
}

TEST_F(PtyLinkTest, VanishedDeviceEndsAWaitAtOnce)
{
    ASSERT_FALSE(link.open(PortSettings{7, true, false, {}}));
    ::close(master_);
    master_ = -1;
    LinkContext ctx{link, pump, {}, {}};
    EXPECT_EQ(LinkResult::PortLost, waitForPending(ctx, 1, startWait(ctx, kReadChunkLimit)));
    EXPECT_TRUE(link.lost());
}

TEST_F(PtyLinkTest, MissingDeviceIsReportedWithItsPath)
{
    qputenv("ZELKO6_COM8", "/dev/zelko6-no-such-port");
    const auto failure = link.open(PortSettings{8, true, false, {}});
    qunsetenv("ZELKO6_COM8");
    ASSERT_TRUE(failure);
    EXPECT_EQ(OpenFailure::Kind::NotFound, failure->kind);
    EXPECT_EQ(QStringLiteral("/dev/zelko6-no-such-port"), failure->device);
    EXPECT_FALSE(link.isOpen());
}

TEST(PortResolverTest, EnvironmentThenSettingsThenListThenFallback)
{
    MemorySettingsStore store;
    const PortResolver resolver(&store, [] { return QStringList{"/dev/ttyUSB1", "/dev/ttyACM0"}; });
    EXPECT_EQ(QStringLiteral("/dev/ttyACM0"), resolver.device(1)); // listed, sorted by path
    EXPECT_EQ(QStringLiteral("/dev/ttyUSB1"), resolver.device(2));
    EXPECT_EQ(QStringLiteral("/dev/ttyS2"), resolver.device(3));
    store.values[QStringLiteral("Ports/COM2")] = QStringLiteral("/dev/board");
    EXPECT_EQ(QStringLiteral("/dev/board"), resolver.device(2));
    qputenv("ZELKO6_COM2", "/tmp/sim-pty");
    EXPECT_EQ(QStringLiteral("/tmp/sim-pty"), resolver.device(2));
    qunsetenv("ZELKO6_COM2");
}

} // namespace
} // namespace zelko6::test
