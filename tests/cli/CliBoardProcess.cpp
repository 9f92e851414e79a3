// The Linux half of CliProcess.h: the board simulator on its pseudo-terminal, and signals sent
// to the command line with kill(2).

#include "cli/CliProcess.h"

#include "support/Waiting.h"

#include <QFile>
#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>

namespace zelko6::test {

namespace {
// Whether the process has a handler of its own for `signal`: the kernel lists the signals a
// process catches as a hexadecimal mask, bit n - 1 for signal n.
bool catches(qint64 pid, int signal)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
    return false;
}
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
    if (cue.isEmpty()) {
        // The program is on its way once it catches the signal (its handler is installed first
        // thing); before that the signal would end it as it ends any program.
        EXPECT_TRUE(
            waitUntil("the command's signal handler", [&] { return catches(process.processId(), signal); }));
    } else {
        EXPECT_TRUE(waitUntil("the cue on standard error", [&] {
            err += process.readAllStandardError();
            return QString::fromUtf8(err).contains(cue) || process.state() != QProcess::Running;
        }));
    }
    EXPECT_EQ(process.state(), QProcess::Running) << "ended before the signal: " << err.toStdString();
    ::kill(static_cast<pid_t>(process.processId()), signal);
    CliRun run = collect(process);
    run.err.prepend(QString::fromUtf8(err));
    return run;
}

SimulatedBoard::SimulatedBoard(const QStringList &arguments)
    : SimulatorProcess(QStringLiteral(BOARDSIM_PATH), arguments)
{
    EXPECT_FALSE(device().isEmpty()) << startError().toStdString();
}

} // namespace zelko6::test
