// Ctrl-C, termination requests and hang-ups as a script's user sends them: every command ends at
// the first one with exit code 130, closes the port in order, and leaves no output file behind,
// nor a process of its own.

#include "cli/CliProcess.h"
#include "support/Waiting.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <limits>
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
        while (!text().contains(cue)) {
            // A byte at a time: the cue is seen as soon as it is in.
            const QByteArray got =
                receiveFrom(fds_[0], 1, std::chrono::milliseconds(deadline.remainingTime()));
            if (got.isEmpty())
                return false;
            read_ += got;
        }
        return true;
    }
    // Reads to the end; false when something still held the pipe at the deadline.
    bool readToEnd()
    {
        const QDeadlineTimer deadline(kDeadlineMs);
        read_ += receiveFrom(fds_[0], std::numeric_limits<qsizetype>::max(),
                             std::chrono::milliseconds(kDeadlineMs));
        return !deadline.hasExpired();
    }
    QString text() const { return QString::fromUtf8(read_); }

  private:
    int fds_[2] = {-1, -1};
    QByteArray read_;
};

// Each command waits on something the user cannot hurry; without the signal it would wait for ever
// or for its time limit. It ends at the first signal, prints nothing and leaves no file.
TEST(CliSignalTest, EveryWaitEndsAtTheFirstSignalWithoutOutputOrFile)
{
    CliWorkspace ws;
    SimulatedBoard silent({"--silent"});
    // 24C04: 512 bytes, 32 chunks of 16; the board stops answering after 5.
    SimulatedBoard stalling({"--size-exp", "9", "--read-stall-after", "5"});
    // Only port 2 names a device; it answers nothing.
    QStringList onlyPort2Silent;
    for (int n = 1; n <= 20; ++n)
        onlyPort2Silent << QStringLiteral("ZELKO6_COM%1=%2")
                               .arg(n)
                               .arg(n == 2 ? silent.device() : ws.path(QStringLiteral("none")));
    const QStringList convert{"convert", "-", "out.bin", "--size", "256"};
    const QStringList read{"read", "out.hex", "--chip", "24C04", "--port", stalling.device()};
    const struct {
        QStringList arguments;
        int signal;
        QString cue; // on standard error before the signal; none: once the handler is in place
        QStringList environment;
        QString said; // on standard error after it
        QString noFile;
    } cases[] = {
        // A pipe nobody ever closes: the read waits for ever. (Zeros without end no longer need a
        // signal: the read stops at the longest file an image can have; CliFilesTest.)
        {convert, SIGTERM, {}, {}, {}, "out.bin"},
        {convert, SIGHUP, {}, {}, {}, "out.bin"},
        // Without the signal the check would wait out its 10 s and end with 2.
        {{"identify", "--port", silent.device()}, SIGINT, {}, {}, {}, {}},
        {{"ports", "--probe"}, SIGTERM, {}, onlyPort2Silent, {}, {}},
        {read, SIGINT, "Reading..... 10%", {}, "Interrupted - read error", "out.hex"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString() + " / signal " + std::to_string(c.signal));
        const CliRun run = ws.interrupt(c.arguments, c.signal, c.cue, {}, c.environment);
        EXPECT_EQ(run.exitCode, 130) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_TRUE(run.err.contains(c.said)) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("Time-out"))) << run.err.toStdString();
        EXPECT_TRUE(c.noFile.isEmpty() || !ws.exists(c.noFile)) << c.noFile.toStdString();
    }
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
        const QString simulator = ws.path(QStringLiteral("simulator"));
        ws.write(QStringLiteral("simulator"), QByteArrayLiteral("#!/bin/sh\necho $$ >\"$0.pid\"\nexec \"") +
                                                  BOARDSIM_PATH + "\" \"$@\"\n");
        QFile::setPermissions(simulator, QFile::ReadOwner | QFile::ExeOwner);
        CallerPipe caller;
        QProcess cli;
        caller.giveTo(cli);
        // 8 KiB at 9600 bit/s: the write takes seconds, long enough to be interrupted.
        ws.start(cli, {"demo", "--chip", "24C64", "--baud", "9600", "--simulator", simulator, "--output",
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
        const pid_t simulatorId = ws.read(QStringLiteral("simulator.pid")).trimmed().toInt();
        ASSERT_GT(simulatorId, 0);
        QFile running(QStringLiteral("/proc/%1/cmdline").arg(simulatorId));
        const bool left = running.open(QIODevice::ReadOnly) && running.readAll().contains("zelko6-boardsim");
        EXPECT_FALSE(left) << "the simulator outlived the command";
        if (left)
            ::kill(simulatorId, SIGKILL);
    }
}

} // namespace
} // namespace zelko6::test
