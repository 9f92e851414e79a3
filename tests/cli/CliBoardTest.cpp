// zelko6-cli against the board simulator over a pseudo-terminal: what reaches the chip, what comes
// back, the exit codes a script sees, and that the wire carries the same bytes as the window's
// buttons send.

#include "cli/CliProcess.h"
#include "support/JapaneseTexts.h"

#include "core/devices/ChipSelection.h"
#include "core/devices/DeviceFile.h"
#include "core/operations/DeviceOperations.h"
#include "core/programmer/QtSerialLink.h"
#include "core/programmer/VerifyLog.h"
#include "support/JapaneseTexts.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelko6::test {
namespace {

// 24C04: 512 bytes in pages of 16, so a block is 32 chunks and the progress moves in real steps.
const QString kChip = QStringLiteral("24C04");
constexpr int kChipSize = 512;
constexpr int kSizeExp = 9;

QStringList board(const QString &device, const QString &chip = kChip)
{
    return {QStringLiteral("--chip"), chip, QStringLiteral("--port"), device};
}

QString decodeLog(const QByteArray &bytes)
{
    return QStringDecoder("Shift_JIS").decode(bytes);
}

TEST(CliBoardTest, WrittenBinaryReadsBackAsTheSameIntelHex)
{
    CliWorkspace ws;
    const QByteArray image = patternBytes(kChipSize, 5);
    ws.write(QStringLiteral("img.bin"), image);
    SimulatedBoard sim({QStringLiteral("--size-exp"), QString::number(kSizeExp), QStringLiteral("--save"),
                        ws.path(QStringLiteral("chip.bin"))});

    const CliRun write = ws.run(QStringList{QStringLiteral("write"), QStringLiteral("img.bin"),
                                            QStringLiteral("--log"), QStringLiteral("v.txt")} +
                                board(sim.device()));
    ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
    const CliRun read =
        ws.run(QStringList{QStringLiteral("read"), QStringLiteral("out.hex")} + board(sim.device()));
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_TRUE(sim.stop());

    EXPECT_EQ(bytesByIntelHexTool(ws.path(QStringLiteral("out.hex")), kChipSize), image);
    EXPECT_EQ(ws.read(QStringLiteral("chip.bin")), image) << "the chip itself holds the image";
    // Not on a terminal: one line per tenth, in order, for each block transfer.
    QStringList progress;
    for (int tenth = 1; tenth <= 10; ++tenth)
        progress << QStringLiteral("Reading..... %1%").arg(tenth * 10);
    EXPECT_EQ(linesOf(read.err).filter(QStringLiteral("Reading.....")), progress);
    EXPECT_TRUE(linesOf(write.err).contains(QStringLiteral("Verifying..... 100%")));
    // The verify right after the write adds the two times (a verify on its own: see the demo).
    EXPECT_TRUE(write.err.contains(QStringLiteral("Write and verify finished without error. (")))
        << write.err.toStdString();
}

TEST(CliBoardTest, VerifyMismatchExitsThreeAndTheLogNamesTheByte)
{
    CliWorkspace ws;
    const QByteArray image = patternBytes(kChipSize, 9);
    ws.write(QStringLiteral("img.bin"), image);
    ws.write(QStringLiteral("chip.bin"), image);
    SimulatedBoard sim({QStringLiteral("--size-exp"), QString::number(kSizeExp), QStringLiteral("--image"),
                        ws.path(QStringLiteral("chip.bin")), QStringLiteral("--corrupt"),
                        QStringLiteral("0x1F3=0x00")});

    const CliRun verify =
        ws.run(QStringList{QStringLiteral("verify"), QStringLiteral("img.bin"), QStringLiteral("--log"),
                           QStringLiteral("logs.txt"), QStringLiteral("--lang"), QStringLiteral("ja")} +
               board(sim.device()));
    EXPECT_EQ(verify.exitCode, 3) << verify.err.toStdString();
    EXPECT_TRUE(linesOf(verify.err).contains(texts::kVerifyErrorText)) << verify.err.toStdString();
    const QStringList log = linesOf(decodeLog(ws.read(QStringLiteral("logs.txt"))));
    const QString expected =
        QStringLiteral("0x00001F3\t0x%1\t0x00")
            .arg(QString::number(static_cast<uint8_t>(image[0x1F3]), 16).toUpper().rightJustified(2, u'0'));
    EXPECT_TRUE(log.contains(expected)) << log.join(u'|').toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("1") + texts::kLogCountSuffix));

    // The same chip after a write: the verify that follows the write finds it too.
    const CliRun write = ws.run(QStringList{QStringLiteral("write"), QStringLiteral("img.bin"),
                                            QStringLiteral("--log"), QStringLiteral("write-log.txt")} +
                                board(sim.device()));
    EXPECT_EQ(write.exitCode, 3) << write.err.toStdString();
    EXPECT_TRUE(linesOf(decodeLog(ws.read(QStringLiteral("write-log.txt")))).contains(expected));
}

TEST(CliBoardTest, SilentBoardExitsTwoAndNoFileIsWritten)
{
    CliWorkspace ws;
    SimulatedBoard sim({QStringLiteral("--silent")});
    const CliRun read = ws.run(QStringList{QStringLiteral("read"), QStringLiteral("out.bin"),
                                           QStringLiteral("--lang"), QStringLiteral("ja")} +
                               board(sim.device()));
    ASSERT_TRUE(read.finished);
    EXPECT_EQ(read.exitCode, 2);
    EXPECT_TRUE(
        read.err.contains(texts::kCheckErrorCountOpen + QStringLiteral("0") + texts::kCheckErrorCountClose))
        << read.err.toStdString();
    EXPECT_TRUE(read.err.contains(texts::kNotConnectedSuffix));
    EXPECT_FALSE(ws.exists(QStringLiteral("out.bin")));

    // No device at all: the same exit code, at once.
    const CliRun identify =
        ws.run({QStringLiteral("identify"), QStringLiteral("--port"), ws.path(QStringLiteral("none"))});
    EXPECT_EQ(identify.exitCode, 2);
    EXPECT_TRUE(identify.out.isEmpty());
}

TEST(CliBoardTest, ImagesThatDoNotFitExitFourBeforeAnythingIsSent)
{
    CliWorkspace ws;
    ws.write(QStringLiteral("long.bin"), patternBytes(kChipSize + 1));
    // One data byte at 0x200, just past a 512-byte chip.
    ws.write(QStringLiteral("far.hex"), ":0102000055A8\r\n:00000001FF\r\n");
    const QString log = ws.path(QStringLiteral("wire.log"));
    SimulatedBoard sim(
        {QStringLiteral("--size-exp"), QString::number(kSizeExp), QStringLiteral("--log"), log});

    const CliRun binary = ws.run(QStringList{QStringLiteral("write"), QStringLiteral("long.bin"),
                                             QStringLiteral("--lang"), QStringLiteral("ja")} +
                                 board(sim.device()));
    EXPECT_EQ(binary.exitCode, 4);
    EXPECT_TRUE(binary.err.contains(filetexts::kBinaryTooLong)) << binary.err.toStdString();
    const CliRun hex =
        ws.run(QStringList{QStringLiteral("write"), QStringLiteral("far.hex")} + board(sim.device()));
    EXPECT_EQ(hex.exitCode, 4) << hex.err.toStdString();
    const CliRun verify =
        ws.run(QStringList{QStringLiteral("verify"), QStringLiteral("missing.bin")} + board(sim.device()));
    EXPECT_EQ(verify.exitCode, 4);
    EXPECT_TRUE(sim.stop());
    EXPECT_TRUE(ws.read(QStringLiteral("wire.log")).isEmpty())
        << "the port was used: " << ws.read(QStringLiteral("wire.log")).toStdString();
}

TEST(CliBoardTest, WrongAcknowledgementExitsTwoWithoutATrailingVerify)
{
    CliWorkspace ws;
    ws.write(QStringLiteral("img.bin"), patternBytes(kChipSize));
    const QString log = ws.path(QStringLiteral("wire.log"));
    SimulatedBoard sim({QStringLiteral("--size-exp"), QString::number(kSizeExp), QStringLiteral("--log"), log,
                        QStringLiteral("--write-ack-wrong-at"), QStringLiteral("3")});
    const CliRun write = ws.run(QStringList{QStringLiteral("write"), QStringLiteral("img.bin"),
                                            QStringLiteral("--lang"), QStringLiteral("ja")} +
                                board(sim.device()));
    EXPECT_TRUE(sim.stop());
    EXPECT_EQ(write.exitCode, 2);
    EXPECT_TRUE(write.err.contains(texts::kWriteErrorSuffix)) << write.err.toStdString();
    // One identification query pair only: no verify went on to ask the board again.
    EXPECT_EQ(ws.read(QStringLiteral("wire.log")).count("PC: 3F"), 2);
}

TEST(CliBoardTest, SingleByteWriteAndReadTouchOnlyThatByte)
{
    CliWorkspace ws;
    const QByteArray image = patternBytes(kChipSize, 3);
    ws.write(QStringLiteral("chip.bin"), image);
    SimulatedBoard sim({QStringLiteral("--size-exp"), QString::number(kSizeExp), QStringLiteral("--image"),
                        ws.path(QStringLiteral("chip.bin")), QStringLiteral("--save"),
                        ws.path(QStringLiteral("after.bin"))});

    const CliRun write =
        ws.run(QStringList{QStringLiteral("write"), QStringLiteral("--byte"), QStringLiteral("--address"),
                           QStringLiteral("0x1A5"), QStringLiteral("--value"), QStringLiteral("0xC3")} +
               board(sim.device()));
    ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
    const CliRun read = ws.run(QStringList{QStringLiteral("read"), QStringLiteral("--byte"),
                                           QStringLiteral("--address"), QStringLiteral("421")} +
                               board(sim.device()));
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_EQ(read.out, "0xC3\n");

    // From a file: the file's byte at the address, nothing else.
    QByteArray file(kChipSize, '\x11');
    file[7] = '\x7E';
    ws.write(QStringLiteral("one.bin"), file);
    EXPECT_EQ(ws.run(QStringList{QStringLiteral("write"), QStringLiteral("one.bin"), QStringLiteral("--byte"),
                                 QStringLiteral("--address"), QStringLiteral("7")} +
                     board(sim.device()))
                  .exitCode,
              0);
    EXPECT_TRUE(sim.stop());
    QByteArray expected = image;
    expected[0x1A5] = '\xC3';
    expected[7] = '\x7E';
    EXPECT_EQ(ws.read(QStringLiteral("after.bin")), expected);
}

TEST(CliBoardTest, IdentifyAndPortProbeFindTheBoard)
{
    CliWorkspace ws;
    SimulatedBoard sim({});
    const CliRun identify = ws.run({QStringLiteral("identify"), QStringLiteral("--port"), sim.device()});
    EXPECT_EQ(identify.exitCode, 0);
    EXPECT_EQ(identify.out, "QT-LNK310 V 6.50\n");

    // Every port but COM3 names a device that does not exist, so only COM3 is asked.
    QStringList env;
    for (int n = 1; n <= 20; ++n)
        env << QStringLiteral("ZELKO6_COM%1=%2")
                   .arg(n)
                   .arg(n == 3 ? sim.device() : ws.path(QStringLiteral("none%1").arg(n)));
    const CliRun ports = ws.run({QStringLiteral("ports"), QStringLiteral("--probe")}, env);
    EXPECT_EQ(ports.exitCode, 0);
    const QStringList lines = linesOf(QString::fromUtf8(ports.out));
    ASSERT_EQ(lines.size(), 20);
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("COM3 "))) << lines[2].toStdString();
    EXPECT_TRUE(lines[2].contains(sim.device()));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("QT-LNK310 V 6.50"))) << lines[2].toStdString();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("  -"))) << lines[0].toStdString();

    // By number, through the same variable the window's port window resolves.
    const CliRun byNumber =
        ws.run({QStringLiteral("identify"), QStringLiteral("--port"), QStringLiteral("3")}, env);
    EXPECT_EQ(byNumber.exitCode, 0);
    EXPECT_TRUE(byNumber.err.contains(QStringLiteral("COM3 : QT-LNK310 V 6.50")));
}

TEST(CliBoardTest, PortsMarksAbsentDevicesAndKeepsItsColumns)
{
    CliWorkspace ws;
    SimulatedBoard sim({QStringLiteral("--size-exp"), QString::number(kSizeExp)});
    QStringList env;
    for (int n = 1; n <= 20; ++n)
        env << QStringLiteral("ZELKO6_COM%1=%2")
                   .arg(n)
                   .arg(n == 2 ? sim.device() : ws.path(QStringLiteral("none%1").arg(n)));
    const CliRun ports = ws.run({QStringLiteral("ports")}, env);
    EXPECT_EQ(ports.exitCode, 0);
    // The port lines begin with their name; anything else about a port is indented below it.
    QStringList portLines;
    for (const QString &line : linesOf(QString::fromUtf8(ports.out))) {
        if (!line.startsWith(u' '))
            portLines << line;
    }
    ASSERT_EQ(portLines.size(), 20) << ports.out.toStdString();
    const QStringList first = portLines[0].split(u' ', Qt::SkipEmptyParts);
    EXPECT_EQ(first, (QStringList{QStringLiteral("COM1"), ws.path(QStringLiteral("none1")),
                                  QStringLiteral("(absent)")}));
    const QStringList second = portLines[1].split(u' ', Qt::SkipEmptyParts);
    EXPECT_EQ(second, (QStringList{QStringLiteral("COM2"), sim.device()}));
}

TEST(CliBoardTest, APortTheUserMayNotOpenGetsAdviceThatIsTrue)
{
    // Device nodes in a folder everybody may enter.
    QTemporaryDir devices;
    ASSERT_TRUE(devices.isValid());
    ASSERT_TRUE(QFile::setPermissions(devices.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                          QFile::ReadGroup | QFile::ExeGroup |
                                                          QFile::ReadOther | QFile::ExeOther));
    const auto makeNode = [&](const QString &name, gid_t group, mode_t mode) {
        const QString node = devices.filePath(name);
        QFile file(node);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        EXPECT_EQ(0, ::chown(QFile::encodeName(node).constData(), static_cast<uid_t>(-1), group));
        EXPECT_EQ(0, ::chmod(QFile::encodeName(node).constData(), mode));
        return node;
    };
    CliWorkspace ws;

    if (::geteuid() != 0) {
        // Our own node, which its mode closes to us: there is no group to name.
        const QString node = makeNode(QStringLiteral("ttyLocked"), ::getegid(), 0);
        const CliRun run = ws.run({QStringLiteral("identify"), QStringLiteral("--port"), node});
        EXPECT_EQ(run.exitCode, 2) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("No permission to open the port: %1").arg(node)))
            << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("usermod"))) << run.err.toStdString();
        return;
    }
    // Root opens anything: the command runs as the unprivileged "nobody", who is in no group.
    const struct group *dialout = ::getgrnam("dialout");
    if (!dialout || !QFileInfo::exists(QStringLiteral("/usr/bin/setpriv")))
        GTEST_SKIP() << "running as root without setpriv or a dialout group to drop to";
    const struct {
        QString node;
        QStringList said;
    } cases[] = {
        {makeNode(QStringLiteral("ttyDialout"), dialout->gr_gid, 0660),
         {QStringLiteral("which belongs to the group dialout."),
          QStringLiteral("Run this command, then log out and back in: sudo usermod -aG dialout $USER")}},
        {makeNode(QStringLiteral("ttyRootOnly"), 0, 0600),
         {QStringLiteral("(owner root, group root). This device is not meant for users: choose the serial "
                         "adapter's own device instead")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.node.toStdString());
        const CliRun run = ws.runThrough({QStringLiteral("/usr/bin/setpriv"), QStringLiteral("--reuid=65534"),
                                          QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups")},
                                         {QStringLiteral("identify"), QStringLiteral("--port"), c.node});
        EXPECT_EQ(run.exitCode, 2) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("No permission to open %1").arg(c.node)))
            << run.err.toStdString();
        for (const QString &said : c.said)
            EXPECT_TRUE(run.err.contains(said)) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("in use"))) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("-aG root"))) << run.err.toStdString();
    }
}

TEST(CliBoardTest, ResultTextsFollowTheLanguage)
{
    CliWorkspace ws;
    SimulatedBoard sim({QStringLiteral("--size-exp"), QString::number(kSizeExp)});
    const QStringList read =
        QStringList{QStringLiteral("read"), QStringLiteral("out.bin")} + board(sim.device());

    const CliRun japanese = ws.run(read, {QStringLiteral("LANG=ja_JP.UTF-8")});
    EXPECT_EQ(japanese.exitCode, 0);
    EXPECT_TRUE(japanese.err.contains(texts::kReadDoneText)) << japanese.err.toStdString();
    EXPECT_TRUE(japanese.err.contains(texts::kReadingText + QStringLiteral(" 100%")));

    const CliRun forced = ws.run(read + QStringList{QStringLiteral("--lang"), QStringLiteral("en")},
                                 {QStringLiteral("LANG=ja_JP.UTF-8")});
    EXPECT_EQ(forced.exitCode, 0);
    EXPECT_FALSE(hasJapanese(forced.err)) << forced.err.toStdString();
    EXPECT_TRUE(forced.err.contains(QStringLiteral("Read finished. (")));

    // The failures too: a lost board mid-read and an unusable port.
    SimulatedBoard stalling({QStringLiteral("--size-exp"), QString::number(kSizeExp),
                             QStringLiteral("--unplug-after"), QStringLiteral("10")});
    const CliRun lost =
        ws.run(QStringList{QStringLiteral("read"), QStringLiteral("out.bin")} + board(stalling.device()));
    EXPECT_EQ(lost.exitCode, 2);
    EXPECT_FALSE(hasJapanese(lost.err)) << lost.err.toStdString();
    // The window says "time-out" for every failed wait; the command line names a lost port.
    EXPECT_TRUE(lost.err.contains(QStringLiteral("Port lost - read error"))) << lost.err.toStdString();
    const CliRun nowhere = ws.run(QStringList{QStringLiteral("read"), QStringLiteral("out.bin")} +
                                  board(ws.path(QStringLiteral("no-such-port"))));
    EXPECT_EQ(nowhere.exitCode, 2);
    EXPECT_FALSE(hasJapanese(nowhere.err)) << nowhere.err.toStdString();
    EXPECT_TRUE(nowhere.err.contains(QStringLiteral("Port not found: "))) << nowhere.err.toStdString();
}

TEST(CliBoardTest, DemoRunsTheMainJobAgainstTheSimulatorBesideTheProgram)
{
    CliWorkspace ws;
    const CliRun demo = ws.run({QStringLiteral("demo"), QStringLiteral("--chip"), kChip,
                                QStringLiteral("--output"), QStringLiteral("demo.hex")});
    ASSERT_EQ(demo.exitCode, 0) << demo.err.toStdString();
    const QStringList lines = linesOf(demo.err);
    EXPECT_TRUE(lines.contains(QStringLiteral("      read back: the same 512 bytes")))
        << demo.err.toStdString();
    // Its verify comes after the read-back, not right after the write: a verify of its own.
    EXPECT_TRUE(demo.err.contains(QStringLiteral("Verify finished without error. (")))
        << demo.err.toStdString();
    EXPECT_EQ(demo.err.count(QStringLiteral(" bytes/s")), 3) << "a speed for write, read and verify";
    const QByteArray saved = bytesByIntelHexTool(ws.path(QStringLiteral("demo.hex")), kChipSize);
    EXPECT_EQ(saved.size(), kChipSize);
    EXPECT_NE(saved, QByteArray(kChipSize, '\xFF')) << "a random image, not an erased chip";

    // On a real port the chip must be named: the demo overwrites it.
    EXPECT_EQ(ws.run({QStringLiteral("demo"), QStringLiteral("--port"), QStringLiteral("1")}).exitCode, 1);
}

// The window's side of the comparison: what its buttons ask the device operations for, over the
// real serial link, with the chip and the largest access size selected as the window selects them.
class WindowPath {
  public:
    WindowPath(const QString &device, const QString &chipName)
        : link_(PortResolver(&store_)), ops_(link_, pump_, events_)
    {
        qputenv("ZELKO6_COM1", QFile::encodeName(device));
        const DeviceFileContents catalogue = readDeviceFile(sourcePath(QStringLiteral("data/zelko6.ini")));
        for (int k = 0; k < catalogue.DeviceCount; ++k) {
            if (catalogue.table.row(k)[kColName] != chipName)
                continue;
            chip_ = std::get<ChipParams>(evaluateChip(catalogue.table.row(k)));
            buffer.recreate(chip_.DUT_SizeExp);
            size_ = accessSizes(chip_.DUT_Bus, chip_.DUT_SizeExp, chip_.DUT_PageSize).last().toLongLong();
        }
    }
    ~WindowPath() { qunsetenv("ZELKO6_COM1"); }

    // A click on a transfer button.
    OperationOutcome click(OperationKind kind)
    {
        OperationRequest request;
        request.kind = kind;
        request.chip = chip_;
        request.port = savedPortSettings(settings_);
        request.accessSize = size_;
        request.address = 0;
        request.verifyLogPath = QDir::temp().filePath(kVerifyLogName);
        return ops_.run(request, buffer);
    }

    MemoryBuffer buffer;

  private:
    MemorySettingsStore store_;
    Settings settings_{store_};
    QtSerialLink link_;
    QtPump pump_;
    RenderedEvents events_;
    ChipParams chip_;
    qint64 size_ = 0;
    DeviceOperations ops_;
};

TEST(CliBoardTest, BlankCheckExitsZeroForAnErasedChipAndThreeNamingTheFirstByteOtherwise)
{
    CliWorkspace ws;
    {
        SimulatedBoard erased({QStringLiteral("--size-exp"), QString::number(kSizeExp)});
        const CliRun blank = ws.run(QStringList{QStringLiteral("blank")} + board(erased.device()));
        EXPECT_EQ(blank.exitCode, 0) << blank.err.toStdString();
        EXPECT_TRUE(blank.err.contains(QStringLiteral("blank"))) << blank.err.toStdString();
        EXPECT_FALSE(blank.err.contains(QStringLiteral("not blank")));
    }
    QByteArray chip(kChipSize, '\xFF');
    chip[kChipSize - 1] = '\x7F';
    ws.write(QStringLiteral("chip.bin"), chip);
    SimulatedBoard written({QStringLiteral("--size-exp"), QString::number(kSizeExp),
                            QStringLiteral("--image"), ws.path(QStringLiteral("chip.bin"))});
    const CliRun notBlank = ws.run(QStringList{QStringLiteral("blank")} + board(written.device()));
    EXPECT_EQ(notBlank.exitCode, 3) << notBlank.err.toStdString();
    EXPECT_TRUE(notBlank.err.contains(QStringLiteral("not blank"))) << notBlank.err.toStdString();
    EXPECT_TRUE(notBlank.err.contains(QStringLiteral("0x001FF"))) << notBlank.err.toStdString();
    EXPECT_TRUE(notBlank.err.contains(QStringLiteral("1 byte"))) << notBlank.err.toStdString();
    EXPECT_TRUE(notBlank.out.isEmpty());

    // A smaller block: only its bytes are looked at, and the last byte is outside it.
    const CliRun firstHalf =
        ws.run(QStringList{QStringLiteral("blank"), QStringLiteral("--size"), QStringLiteral("256")} +
               board(written.device()));
    EXPECT_EQ(firstHalf.exitCode, 0) << firstHalf.err.toStdString();
}

TEST(CliBoardTest, WireBytesEqualTheWindowButtons)
{
    CliWorkspace ws;
    const QByteArray image = patternBytes(kChipSize, 1);
    ws.write(QStringLiteral("chip.bin"), image);
    const auto simulate = [&](const QString &log) {
        return std::make_unique<SimulatedBoard>(
            QStringList{QStringLiteral("--size-exp"), QString::number(kSizeExp), QStringLiteral("--image"),
                        ws.path(QStringLiteral("chip.bin")), QStringLiteral("--log"), ws.path(log)});
    };

    auto cliBoard = simulate(QStringLiteral("cli.log"));
    EXPECT_EQ(
        ws.run(QStringList{QStringLiteral("read"), QStringLiteral("out.bin")} + board(cliBoard->device()))
            .exitCode,
        0);
    EXPECT_EQ(ws.run(QStringList{QStringLiteral("write"), QStringLiteral("chip.bin"), QStringLiteral("--log"),
                                 QStringLiteral("v.txt")} +
                     board(cliBoard->device()))
                  .exitCode,
              0);
    EXPECT_TRUE(cliBoard->stop());

    auto windowBoard = simulate(QStringLiteral("window.log"));
    {
        WindowPath window(windowBoard->device(), kChip);
        ASSERT_EQ(window.click(OperationKind::ReadBlock).result, OperationResult::Done);
        ASSERT_EQ(QByteArray(reinterpret_cast<const char *>(window.buffer.data()), kChipSize), image);
        ASSERT_EQ(window.click(OperationKind::WriteBlockAndVerify).result, OperationResult::Done);
    }
    EXPECT_TRUE(windowBoard->stop());

    const QByteArray cli = ws.read(QStringLiteral("cli.log"));
    ASSERT_FALSE(cli.isEmpty());
    EXPECT_EQ(cli, ws.read(QStringLiteral("window.log")));
}

} // namespace
} // namespace zelko6::test
