// The Linux half of CliProcess.h: the board simulator on its pseudo-terminal, and signals sent
// to the command line with kill(2).

#include "cli/CliProcess.h"

#include <QElapsedTimer>
#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>

namespace zelko6::test {

namespace {
// How long a command without a cue runs before it is interrupted.
constexpr int kCueMs = 500;
} // namespace

CliRun CliWorkspace::interrupt(const QStringList &arguments, int signal, const QString &cue,
                               const QString &inputFile, const QStringList &environment) const
{
    QProcess process;
    prepare(process, environment);
    if (!inputFile.isEmpty())
        process.setStandardInputFile(inputFile);
    process.start(QStringLiteral(CLI_PATH), arguments);
    if (!process.waitForStarted(kStartMs))
        return {};
    QByteArray err;
    QElapsedTimer clock;
    clock.start();
    if (cue.isEmpty()) {
        // Long enough for the program to be on its way (its handler is installed first thing).
        process.waitForFinished(kCueMs);
    } else {
        while (!QString::fromUtf8(err).contains(cue) && clock.elapsed() < kRunMs &&
               process.state() == QProcess::Running) {
            process.waitForReadyRead(100);
            err += process.readAllStandardError();
        }
    }
    EXPECT_EQ(process.state(), QProcess::Running) << "ended before the signal: " << err.toStdString();
    ::kill(static_cast<pid_t>(process.processId()), signal);
    CliRun run = collect(process);
    run.err.prepend(QString::fromUtf8(err));
    return run;
}

SimulatedBoard::SimulatedBoard(const QStringList &arguments) : process_(std::make_unique<QProcess>())
{
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_->start(QStringLiteral(BOARDSIM_PATH), arguments);
    QElapsedTimer clock;
    clock.start();
    while (!process_->canReadLine() && clock.elapsed() < kStartMs &&
           process_->state() != QProcess::NotRunning)
        process_->waitForReadyRead(100);
    const QByteArray line = process_->readLine().trimmed();
    if (line.startsWith("PTY "))
        device_ = QString::fromLocal8Bit(line.mid(4));
    EXPECT_FALSE(device_.isEmpty()) << "the board simulator did not start";
}

SimulatedBoard::~SimulatedBoard()
{
    if (process_->state() == QProcess::NotRunning)
        return;
    process_->kill();
    process_->waitForFinished(kStartMs);
}

void SimulatedBoard::stop()
{
    process_->terminate();
    EXPECT_TRUE(process_->waitForFinished(kStartMs));
}

} // namespace zelko6::test
