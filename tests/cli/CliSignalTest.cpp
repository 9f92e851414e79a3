// Ctrl-C, termination requests and hang-ups as a script's user sends them: every command ends at
// the first one with exit code 130, closes the port in order, and leaves no output file behind,
// nor a process of its own.

#include "cli/CliProcess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

namespace zelko6::test {
namespace {

constexpr int kDeadlineMs = 60000;

// A pipe of the test's own on the command's standard error, as a shell's `$(...)` or `|` gives
// it: it reads to its end only once every process that holds it has ended, the board simulator
// that the demo starts (and hands its standard error) included.
class CallerPipe {
  public:
    CallerPipe() { EXPECT_EQ(pipe2(fds_, O_CLOEXEC), 0); }
    ~CallerPipe()
    {
        closeWriteEnd();
        ::close(fds_[0]);
    }
    CallerPipe(const CallerPipe &) = delete;
    CallerPipe &operator=(const CallerPipe &) = delete;

    // The write end becomes the child's standard error (a copy without close-on-exec).
    void giveTo(QProcess &process) const
    {
        process.setStandardErrorFile(QProcess::nullDevice());
        process.setChildProcessModifier([writeEnd = fds_[1]] { dup2(writeEnd, STDERR_FILENO); });
    }
    // Once the child has it: from then on only the child and what it starts hold it.
    void closeWriteEnd()
    {
        if (fds_[1] >= 0)
            ::close(fds_[1]);
        fds_[1] = -1;
    }
    // Reads until `cue` has come; false at the end of the pipe or the deadline.
    bool readUntil(const QString &cue)
    {
        const QDeadlineTimer deadline(kDeadlineMs);
        while (!text().contains(cue))
            if (readSome(deadline) <= 0)
                return false;
        return true;
    }
    // Reads to the end; false when something still held the pipe at the deadline.
    bool readToEnd()
    {
        const QDeadlineTimer deadline(kDeadlineMs);
        for (ssize_t n = readSome(deadline);; n = readSome(deadline))
            if (n <= 0)
                return n == 0;
    }
    QString text() const { return QString::fromUtf8(read_); }

  private:
    // One read, waited for until the deadline: the count of bytes, 0 at the end, -1 at the deadline.
    ssize_t readSome(const QDeadlineTimer &deadline)
    {
        pollfd in{fds_[0], POLLIN, 0};
        if (poll(&in, 1, static_cast<int>(deadline.remainingTime())) <= 0)
            return -1;
        char buffer[4096];
        const ssize_t n = ::read(fds_[0], buffer, sizeof buffer);
        if (n > 0)
            read_.append(buffer, static_cast<qsizetype>(n));
        return n;
    }

    int fds_[2] = {-1, -1};
    QByteArray read_;
};

// 24C04: 512 bytes, 32 chunks of 16.
QStringList board(const QString &device)
{
    return {QStringLiteral("--chip"), QStringLiteral("24C04"), QStringLiteral("--port"), device};
}

TEST(CliSignalTest, ConvertOfAnEndlessInputEndsWithoutAFile)
{
    CliWorkspace ws;
    const QStringList convert{QStringLiteral("convert"), QStringLiteral("-"), QStringLiteral("out.bin"),
                              QStringLiteral("--size"), QStringLiteral("256")};
    // A pipe nobody ever closes: the read waits for ever. (Zeros without end no longer need a
    // signal: the read stops at the longest file an image can have; CliFilesTest.)
    for (const int signal : {SIGTERM, SIGHUP}) {
        const CliRun pipe = ws.interrupt(convert, signal, {});
        EXPECT_EQ(pipe.exitCode, 130) << signal << ": " << pipe.err.toStdString();
    }
    EXPECT_FALSE(ws.exists(QStringLiteral("out.bin")));
}

TEST(CliSignalTest, IdentifyAndProbeEndAtTheFirstSignal)
{
    CliWorkspace ws;
    SimulatedBoard silent({QStringLiteral("--silent")});
    // Without the signal the check would wait out its 10 s and end with 2.
    const CliRun identify =
        ws.interrupt({QStringLiteral("identify"), QStringLiteral("--port"), silent.device()}, SIGINT, {});
    EXPECT_EQ(identify.exitCode, 130) << identify.err.toStdString();
    EXPECT_TRUE(identify.out.isEmpty());

    // Only port 2 names a device; it answers nothing.
    QStringList env;
    for (int n = 1; n <= 20; ++n)
        env << QStringLiteral("ZELKO6_COM%1=%2")
                   .arg(n)
                   .arg(n == 2 ? silent.device() : ws.path(QStringLiteral("none")));
    const CliRun ports =
        ws.interrupt({QStringLiteral("ports"), QStringLiteral("--probe")}, SIGTERM, {}, {}, env);
    EXPECT_EQ(ports.exitCode, 130) << ports.err.toStdString();
    EXPECT_TRUE(ports.out.isEmpty());
}

TEST(CliSignalTest, AnInterruptedReadSaysSoAndWritesNoFile)
{
    CliWorkspace ws;
    SimulatedBoard stalling({QStringLiteral("--size-exp"), QStringLiteral("9"),
                             QStringLiteral("--read-stall-after"), QStringLiteral("5")});
    const CliRun read = ws.interrupt(QStringList{QStringLiteral("read"), QStringLiteral("out.hex")} +
                                         board(stalling.device()),
                                     SIGINT, QStringLiteral("Reading..... 10%"));
    EXPECT_EQ(read.exitCode, 130) << read.err.toStdString();
    EXPECT_TRUE(read.err.contains(QStringLiteral("Interrupted - read error"))) << read.err.toStdString();
    EXPECT_FALSE(read.err.contains(QStringLiteral("Time-out")));
    EXPECT_FALSE(ws.exists(QStringLiteral("out.hex")));
}

TEST(CliSignalTest, TheDemosSimulatorEndsWithItOnEveryWayOut)
{
    struct Case {
        int signal;
        int exitCode; // -1: killed
    };
    for (const auto &[signal, exitCode] : {Case{SIGHUP, 130}, Case{SIGKILL, -1}}) {
        SCOPED_TRACE(signal);
        CliWorkspace ws;
        // The simulator itself, its process id noted so that a failing test leaves nothing behind.
        ws.write(QStringLiteral("simulator"), QByteArrayLiteral("#!/bin/sh\necho $$ >\"$0.pid\"\nexec \"") +
                                                  BOARDSIM_PATH + "\" \"$@\"\n");
        QFile::setPermissions(ws.path(QStringLiteral("simulator")), QFile::ReadOwner | QFile::ExeOwner);
        CallerPipe caller;
        QProcess cli;
        caller.giveTo(cli);
        // 8 KiB at 9600 bit/s: the write takes seconds, long enough to be interrupted.
        ws.start(cli, {QStringLiteral("demo"), QStringLiteral("--chip"), QStringLiteral("24C64"),
                       QStringLiteral("--baud"), QStringLiteral("9600"), QStringLiteral("--simulator"),
                       ws.path(QStringLiteral("simulator")), QStringLiteral("--output"),
                       ws.path(QStringLiteral("demo.hex"))});
        ASSERT_TRUE(cli.waitForStarted(kDeadlineMs));
        caller.closeWriteEnd();
        ASSERT_TRUE(caller.readUntil(QStringLiteral("Writing..... 10%"))) << caller.text().toStdString();

        ::kill(static_cast<pid_t>(cli.processId()), signal);
        ASSERT_TRUE(cli.waitForFinished(kDeadlineMs));
        EXPECT_EQ(cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1, exitCode)
            << caller.text().toStdString();
        EXPECT_TRUE(caller.readToEnd()) << "something still holds the caller's pipe";

        // A process that has ended has no command line left, even before it is reaped.
        const pid_t simulator = ws.read(QStringLiteral("simulator.pid")).trimmed().toInt();
        ASSERT_GT(simulator, 0);
        QFile running(QStringLiteral("/proc/%1/cmdline").arg(simulator));
        const bool left = running.open(QIODevice::ReadOnly) && running.readAll().contains("zelko6-boardsim");
        EXPECT_FALSE(left) << "the simulator outlived the command";
        if (left)
            ::kill(simulator, SIGKILL);
    }
}

} // namespace
} // namespace zelko6::test
