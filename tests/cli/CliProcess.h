#pragma once
// Running zelko6-cli and the board simulator as processes, the way a script runs them. Every wait
// is bounded, so a hanging process fails its test instead of the whole run.

#include "support/SimulatorProcess.h"
#include "support/TestSupport.h"

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace zelko6::test {

inline constexpr int kStartMs = 5000;
// A silent board costs the connection check's 10 s; nothing a test runs takes much longer.
inline constexpr int kRunMs = 60000;

struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QString err; // UTF-8 decoded
    bool finished = false;
};

// A private folder per test: the CLI's settings (XDG_CONFIG_HOME) live there and files are made
// there. The language is English unless a test says otherwise.
class CliWorkspace {
  public:
    CliWorkspace();
    QString path(const QString &name) const;
    void write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;
    bool exists(const QString &name) const;

    // `environment` entries "NAME=value" override the defaults. Standard output goes to
    // `outputFile` when one is given (CliRun::out is then empty).
    CliRun run(const QStringList &arguments, const QStringList &environment = {},
               const QByteArray &input = {}, const QString &outputFile = {}) const;
    // The same through a program that runs it (`wrapper` and its arguments come first), such as
    // setpriv to run it as another user.
    CliRun runThrough(const QStringList &wrapper, const QStringList &arguments,
                      const QStringList &environment = {}) const;

    // What a user's Ctrl-C (SIGINT) or a termination request (SIGTERM) does: starts the command,
    // waits until its standard error shows `cue` (when empty, until it catches the signal), sends
    // the signal and waits for the end. Standard input is `inputFile`, or a pipe that never closes.
    // Linux only, in CliBoardProcess.cpp.
    CliRun interrupt(const QStringList &arguments, int signal, const QString &cue,
                     const QString &inputFile = {}, const QStringList &environment = {}) const;

    // Starts the command as run() does and returns at once, for a test that holds it while it works.
    void start(QProcess &process, const QStringList &arguments, const QStringList &environment = {}) const;

  private:
    void prepare(QProcess &process, const QStringList &environment) const;
    static CliRun collect(QProcess &process);

    QTemporaryDir dir_;
};

// The board simulator on its pseudo-terminal; ended when the object goes (Linux only, in
// CliBoardProcess.cpp).
class SimulatedBoard : public SimulatorProcess {
  public:
    explicit SimulatedBoard(const QStringList &arguments);
};

// What the program's own S-record writer makes of these bytes (a power of two of them).
QByteArray sRecordOf(const QByteArray &bytes);

// Any character of the Japanese scripts or their punctuation.
bool hasJapanese(const QString &text);

// The lines of a text without their line ends.
QStringList linesOf(const QString &text);

// Reads an Intel HEX file with python3-intelhex, a reader nobody here wrote; empty on failure.
QByteArray bytesByIntelHexTool(const QString &hexPath, int size);

} // namespace zelko6::test
