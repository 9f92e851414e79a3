// The board simulator driven through its pty the way the program drives a board: every wait here
// is bounded, so a simulator that falls silent fails a check instead of hanging the run.

#include "support/SimulatorProcess.h"
#include "support/TestSupport.h"
#include "support/Waiting.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

using zelko6::test::kGenerousWait;
using zelko6::test::patternBytes;

QByteArray record(int count, int second, int address)
{
    const char bytes[] = {char(count), char(second), char(address >> 8), char(address)};
    return QByteArray(bytes, sizeof bytes);
}

const QByteArray kIdReply = "QT-LNK310 V 6.50\r\n";

class Simulator : public zelko6::test::SimulatorProcess {
  public:
    explicit Simulator(const QStringList &args) : SimulatorProcess(QStringLiteral(BOARDSIM_PATH), args) {}
    QByteArray path() const { return device().toLocal8Bit(); }
};

// The PC's end of the line, opened in raw mode as the program's serial port is.
class Port {
  public:
    explicit Port(const QByteArray &path) : fd_(::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        termios tio{};
        if (fd_ >= 0 && tcgetattr(fd_, &tio) == 0) {
            cfmakeraw(&tio);
            tcsetattr(fd_, TCSANOW, &tio);
        }
    }
    ~Port()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool isOpen() const { return fd_ >= 0; }
    void send(const QByteArray &data) { ASSERT_EQ(::write(fd_, data.constData(), data.size()), data.size()); }
    QByteArray receive(int n) { return zelko6::test::receiveFrom(fd_, n); }
    // What comes while nothing is asked of the board, watched for a quiet stretch: empty when
    // nothing does (the bytes themselves tell a failing check what came).
    QByteArray unasked()
    {
        QByteArray out;
        zelko6::test::staysFalse("a byte nobody asked for", [&] {
            out += zelko6::test::receiveFrom(fd_, 4096, std::chrono::milliseconds(0));
            return !out.isEmpty();
        });
        return out;
    }
    // n bytes and nothing after them.
    QByteArray reply(int n)
    {
        const QByteArray asked = receive(n);
        return asked + unasked();
    }
    // The device has vanished: the line reports a hang-up.
    bool hungUp()
    {
        pollfd pfd{fd_, POLLIN, 0};
        return ::poll(&pfd, 1, static_cast<int>(kGenerousWait.count())) > 0 && (pfd.revents & POLLHUP);
    }

  private:
    int fd_;
};

// What the program does at the start of every operation: identification, then mode set-up.
void openOperation(Port &port, char bus)
{
    port.send("?");
    ASSERT_EQ(port.receive(kIdReply.size()), kIdReply);
    port.send("E");
    port.send(QByteArray("e") + bus + 'P');
    ASSERT_EQ(port.receive(1), "@");
}

void sendCommand(Port &port, char bus, char op, int count, int second, int first, int last)
{
    port.send("E");
    port.send(QByteArray("e") + bus + op);
    port.send(record(count, second, first));
    port.send(record(count, second, last));
}

// A read as the program does it: n bytes per chunk, "@" after each, the last one included.
QByteArray readRange(Port &port, char bus, int count, int second, int first, int last)
{
    sendCommand(port, bus, 'R', count, second, first, last);
    QByteArray out;
    for (int address = first; address <= last; address += count) {
        const QByteArray chunk = port.receive(count);
        out += chunk;
        if (chunk.size() < count)
            break;
        port.send("@");
    }
    return out;
}

// Answers how many chunks the board asked for with "@" before they were sent.
int writeRange(Port &port, char bus, int count, int second, int first, const QByteArray &data)
{
    sendCommand(port, bus, 'W', count, second, first, first + static_cast<int>(data.size()) - 1);
    int acknowledged = 0;
    for (qsizetype at = 0; at < data.size(); at += count) {
        if (port.receive(1) != "@")
            break;
        ++acknowledged;
        port.send(data.mid(at, count));
    }
    return acknowledged;
}

class BoardSim : public ::testing::Test {
  protected:
    QString file(const char *name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QString image(const QByteArray &data)
    {
        EXPECT_TRUE(zelko6::test::writeBytes(file("image.bin"), data));
        return file("image.bin");
    }
    QTemporaryDir dir_;
};

TEST_F(BoardSim, IdentifiesItselfAndAnswersModeSetUp)
{
    Simulator sim({});
    ASSERT_FALSE(sim.path().isEmpty());
    Port port(sim.path());
    ASSERT_TRUE(port.isOpen());
    for (int query = 0; query < 2; ++query) {
        port.send("?");
        EXPECT_EQ(port.receive(kIdReply.size()), kIdReply);
    }
    port.send("Ee3P");
    EXPECT_EQ(port.reply(1), "@");

    Simulator old({"--fw-version", "5.99", "--setup-reply-bytes", "3"});
    Port oldPort(old.path());
    oldPort.send("?Ee2P");
    EXPECT_EQ(oldPort.reply(21), "QT-LNK310 V 5.99\r\n@@@");

    Simulator shortId({"--id-length", "17", "--no-setup-reply"});
    Port shortPort(shortId.path());
    shortPort.send("?");
    EXPECT_EQ(shortPort.reply(17), kIdReply.left(17));
    shortPort.send("Ee2P");
    EXPECT_EQ(shortPort.unasked(), "");

    Simulator silent({"--silent"});
    Port silentPort(silent.path());
    silentPort.send("?Ee2P?");
    EXPECT_EQ(silentPort.unasked(), "");
}

TEST_F(BoardSim, ReadsTwoWireRangesOfTheImageAcrossReopenedPorts)
{
    const QByteArray data = patternBytes(0x18000); // shorter than the 2^17 memory: the rest stays 0xFF
    Simulator sim({"--image", image(data)});
    const auto operation = [&](int first, int last, int count) {
        Port port(sim.path()); // the program re-opens the port for every operation
        openOperation(port, '2');
        const int second = first >> 16;
        return readRange(port, '2', count, second, first & 0xFFFF, last & 0xFFFF) + port.unasked();
    };
    EXPECT_EQ(operation(0x100, 0x1FF, 16), data.mid(0x100, 0x100));
    EXPECT_EQ(operation(0x123, 0x123, 1), data.mid(0x123, 1));
    // A chunk size that does not divide the range: the last address still comes, in a full chunk.
    EXPECT_EQ(operation(0, 9, 3), data.left(12));
    EXPECT_EQ(operation(0x10000, 0x1000F, 16), data.mid(0x10000, 16));
    EXPECT_EQ(operation(0x1FFF0, 0x1FFFF, 8), QByteArray(16, '\xFF'));
}

TEST_F(BoardSim, WritesAreStoredReadBackAndSaved)
{
    const QString saved = file("saved.bin");
    Simulator sim({"--size-exp", "12", "--save", saved, "--write-cycle-ms", "5"});
    const QByteArray data = patternBytes(0x40, 3);
    {
        Port port(sim.path());
        openOperation(port, '2');
        EXPECT_EQ(writeRange(port, '2', 16, 0, 0x40, data), 4);
        EXPECT_EQ(port.unasked(), ""); // the last chunk is not acknowledged
    }
    Port port(sim.path());
    openOperation(port, '2');
    EXPECT_EQ(readRange(port, '2', 16, 0, 0x30, 0x8F),
              QByteArray(16, '\xFF') + data + QByteArray(16, '\xFF'));

    QByteArray expected(0x1000, '\xFF');
    expected.replace(0x40, data.size(), data);
    EXPECT_EQ(zelko6::test::fileBytes(saved), expected);
    EXPECT_TRUE(sim.stop());
    EXPECT_EQ(zelko6::test::fileBytes(saved), expected);
}

TEST_F(BoardSim, ThreeWireParameterByteIsNotPartOfTheAddress)
{
    const QByteArray data = patternBytes(0x20000, 9);
    Simulator sim({"--image", image(data)});
    Port port(sim.path());
    openOperation(port, '3');
    // As a two-wire address byte 0x05 would select 0x050000 and up, which differs from 0x0000.
    EXPECT_EQ(readRange(port, '3', 16, 0x05, 0, 0x7F), data.left(0x80));

    const QByteArray written = patternBytes(16, 77);
    openOperation(port, '3');
    EXPECT_EQ(writeRange(port, '3', 16, 0x05, 0x200, written), 1);
    openOperation(port, '2');
    EXPECT_EQ(readRange(port, '2', 16, 0, 0x200, 0x20F), written);
}

TEST_F(BoardSim, ReadFaultsStallPadAndCorrupt)
{
    const QByteArray data = patternBytes(0x100);
    Simulator sim({"--size-exp", "8", "--image", image(data), "--read-stall-after", "2", "--surplus", "3",
                   "--corrupt", "0x10", "--corrupt", "17=0x5A"});
    Port port(sim.path());
    for (int operation = 0; operation < 2; ++operation) { // the faults recur in every read
        openOperation(port, '2');
        sendCommand(port, '2', 'R', 16, 0, 0, 0x3F);
        const QByteArray first = port.receive(19); // a chunk and three surplus bytes
        ASSERT_EQ(first.size(), 19);
        EXPECT_EQ(first.left(16), data.left(16));
        port.send("@");
        QByteArray second = port.receive(19);
        ASSERT_EQ(second.size(), 19);
        EXPECT_EQ(second[0], static_cast<char>(~data[0x10]));
        EXPECT_EQ(second[1], '\x5A');
        EXPECT_EQ(second.mid(2, 14), data.mid(0x12, 14));
        port.send("@");
        EXPECT_EQ(port.unasked(), ""); // stalled until the PC starts over
    }
    // A PC that gave up in the middle of a read starts over; the board must follow it.
    openOperation(port, '2');
    sendCommand(port, '2', 'R', 4, 0, 0x20, 0x2F);
    EXPECT_EQ(port.receive(7).left(4), data.mid(0x20, 4));
    port.send("?");
    EXPECT_EQ(port.reply(kIdReply.size()), kIdReply);
}

TEST_F(BoardSim, WriteFaultsAnswerWronglyOrStall)
{
    Simulator wrong({"--size-exp", "10", "--write-ack-wrong-at", "1"});
    Port port(wrong.path());
    openOperation(port, '2');
    sendCommand(port, '2', 'W', 8, 0, 0, 0x17);
    ASSERT_EQ(port.receive(1), "@");
    port.send(patternBytes(8, 1));
    EXPECT_EQ(port.reply(1), "A");
    // The program drops the write on "A" and starts over: "?" must not be taken for chunk data.
    openOperation(port, '2');
    EXPECT_EQ(readRange(port, '2', 8, 0, 0, 0x0F), patternBytes(8, 1) + QByteArray(8, '\xFF'));

    Simulator stall({"--write-stall-at", "1"});
    Port stallPort(stall.path());
    openOperation(stallPort, '2');
    sendCommand(stallPort, '2', 'W', 1, 0, 0, 1);
    ASSERT_EQ(stallPort.receive(1), "@");
    stallPort.send("x");
    EXPECT_EQ(stallPort.unasked(), "");
    openOperation(stallPort, '2');
}

TEST_F(BoardSim, FollowsBytesInAnySplitAndIgnoresNoise)
{
    const QByteArray data = patternBytes(0x200);
    const QString log = file("wire.log");
    Simulator sim({"--size-exp", "9", "--image", image(data), "--log", log});
    Port port(sim.path());
    // Each piece reaches the board apart from the next: the next goes once the board has logged it.
    const auto sendAlone = [&](const QByteArray &piece) {
        const qsizetype logged =
            zelko6::test::fileBytes(log).count(' '); // the log puts a space before every byte
        port.send(piece);
        EXPECT_TRUE(zelko6::test::waitUntil("the board taking the piece in", [&] {
            return zelko6::test::fileBytes(log).count(' ') >= logged + piece.size();
        }));
    };
    sendAlone("x@\x01");              // noise between commands
    sendAlone("Ee2");                 // an abandoned header ...
    for (char c : QByteArray("Ee2R")) // ... overtaken by a lead-in that arrives byte by byte
        sendAlone(QByteArray(1, c));
    const QByteArray records = record(2, 0, 0x1F0) + record(2, 0, 0x1F3);
    sendAlone(records.left(3));
    port.send(records.mid(3));
    EXPECT_EQ(port.receive(2), data.mid(0x1F0, 2));
    port.send("x"); // noise where an acknowledgement is awaited is not one
    EXPECT_EQ(port.unasked(), "");
    port.send("@");
    EXPECT_EQ(port.receive(2), data.mid(0x1F2, 2));
    port.send("@");
    EXPECT_EQ(port.unasked(), "");
}

TEST_F(BoardSim, EndsOnUnplugAndAfterTheOperationCount)
{
    const QString link = file("ttyBOARD");
    Simulator unplug({"--link", link, "--unplug-after", "1"});
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), QString::fromLatin1(unplug.path()));
    {
        Port port(link.toLocal8Bit());
        openOperation(port, '2');
        sendCommand(port, '2', 'R', 16, 0, 0, 0x3F);
        EXPECT_EQ(port.receive(16).size(), 16);
        port.send("@");
        EXPECT_TRUE(port.hungUp());
    }
    EXPECT_TRUE(unplug.endsCleanly());
    EXPECT_FALSE(QFileInfo(link).isSymLink());

    const QString saved = file("saved.bin");
    Simulator counted({"--size-exp", "8", "--quit-after-ops", "2", "--save", saved});
    Port port(counted.path());
    openOperation(port, '2');
    EXPECT_EQ(writeRange(port, '2', 4, 0, 0x10, patternBytes(4)), 1);
    openOperation(port, '2');
    EXPECT_EQ(readRange(port, '2', 4, 0, 0x10, 0x13), patternBytes(4));
    EXPECT_TRUE(counted.endsCleanly());
    EXPECT_EQ(zelko6::test::fileBytes(saved).mid(0x10, 4), patternBytes(4));
}

TEST_F(BoardSim, LogsOneLinePerRunOfBytesInEachDirection)
{
    const QString log = file("wire.log");
    // Paced, the board hands each byte of a reply over on its own; the log still joins them.
    Simulator sim({"--log", log, "--baud", "2400"});
    Port port(sim.path());
    openOperation(port, '2');
    port.send("?");
    EXPECT_EQ(port.receive(kIdReply.size()), kIdReply);
    ASSERT_TRUE(sim.stop());
    const QByteArray id = "51 54 2D 4C 4E 4B 33 31 30 20 56 20 36 2E 35 30 0D 0A";
    EXPECT_EQ(zelko6::test::fileBytes(log),
              "PC: 3F\nBD: " + id + "\nPC: 45 65 32 50\nBD: 40\nPC: 3F\nBD: " + id + "\n");
}

} // namespace
