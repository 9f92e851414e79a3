#pragma once
// The board simulator as a child process on a pseudo-terminal of its own, started as every suite
// that talks to a board starts it: it is ready once it has printed the device it serves.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace zelko6::test {

class SimulatorProcess {
  public:
    SimulatorProcess(const QString &program, const QStringList &arguments);
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess &) = delete;
    SimulatorProcess &operator=(const SimulatorProcess &) = delete;

    // The device it serves; empty when it did not start, and startError() says why.
    const QString &device() const { return device_; }
    const QString &startError() const { return startError_; }
    // Whether it has ended with status 0, or does so within a generous wait: by itself (unplugged,
    // its operations done) or asked to by stop().
    [[nodiscard]] bool endsCleanly();
    // A stop request: it saves its chip, closes its log and removes its link before it ends.
    [[nodiscard]] bool stop();

  private:
    QProcess process_;
    QString device_;
    QString startError_;
};

} // namespace zelko6::test
