#include "support/SimulatorProcess.h"

#include "support/Waiting.h"

#include <QDeadlineTimer>

namespace zelko6::test {

namespace {
const int kGenerousMs = static_cast<int>(kGenerousWait.count());
} // namespace

SimulatorProcess::SimulatorProcess(const QString &program, const QStringList &arguments)
{
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(program, arguments);
    const QDeadlineTimer deadline(kGenerousWait);
    while (!process_.canReadLine() && process_.state() != QProcess::NotRunning && !deadline.hasExpired())
        process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
    const QByteArray line = process_.readLine().trimmed();
    if (line.startsWith("PTY "))
        device_ = QString::fromLocal8Bit(line.mid(4));
    else
        startError_ = QStringLiteral("simulator did not start: '%1' %2")
                          .arg(QString::fromLocal8Bit(line), process_.errorString());
}

SimulatorProcess::~SimulatorProcess()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    // A stop request lets it remove its link; a kill is the fallback for one that hangs.
    if (!stop()) {
        process_.kill();
        process_.waitForFinished(kGenerousMs);
    }
}

bool SimulatorProcess::endsCleanly()
{
    const bool ended = process_.state() == QProcess::NotRunning || process_.waitForFinished(kGenerousMs);
    return ended && process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
}

bool SimulatorProcess::stop()
{
    process_.terminate();
    return endsCleanly();
}

} // namespace zelko6::test
