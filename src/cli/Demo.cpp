// The demonstration for a machine without a display: the main job (identify, write, read back,
// verify, save as Intel HEX) against the board simulator, with each result and its speed, so a
// fresh checkout shows that the program works end to end.

#include "cli/CommandLineText.h"
#include "cli/Commands.h"
#include "cli/ImageFiles.h"
#include "cli/Interruption.h"
#include "cli/Session.h"
#include "core/devices/ChipSelection.h"
#include "core/programmer/Protocol.h"
#include "core/programmer/WireFormat.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <algorithm>

namespace zelko6::cli {

namespace {

constexpr int kSimulatorStartMs = 5000;

// The board simulator on a pseudo-terminal, for as long as the demo runs.
class Simulator {
  public:
    Simulator(const QString &program, const QStringList &arguments)
    {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        endWithThisProcess(process_);
        process_.start(program, arguments);
        QElapsedTimer clock;
        clock.start();
        while (!process_.canReadLine() && clock.elapsed() < kSimulatorStartMs &&
               process_.state() != QProcess::NotRunning)
            process_.waitForReadyRead(100);
        const QByteArray line = process_.readLine().trimmed();
        if (line.startsWith("PTY "))
            device_ = QString::fromLocal8Bit(line.mid(4));
    }
    ~Simulator()
    {
        process_.terminate();
        if (!process_.waitForFinished(kSimulatorStartMs))
            process_.kill();
    }
    QString device() const { return device_; }

  private:
    QProcess process_;
    QString device_;
};

// How long a block read takes on a line of `baud` bit/s when the program adds nothing: every
// byte that must arrive before the next can be sent, at ten bits each, plus the pauses the link
// prescribes. Bytes that cross the line during a pause cost nothing extra.
double pacedReadSeconds(const ChipParams &chip, qint64 bytes, int baud)
{
    using std::chrono::duration;
    const int chunk = wire::chunkCount(chip, AccessScope::Block);
    const qint64 chunks = (bytes + chunk - 1) / chunk;
    const duration<double> pauses = kPortSettlePause + kFirstQueryPause + kElementPause + kSetupSettlePause +
                                    kReadLeadInPause + 3 * kElementPause;
    // The second "?" and its reply, the set-up header and its reply, the data, and every "@" but
    // the last, which nobody waits for.
    const qint64 serial = 1 + kIdentifyReplyLength + 3 + 1 + chunks * chunk + (chunks - 1);
    return pauses.count() + static_cast<double>(serial) * 10.0 / baud;
}

// The simulator the demo talks to when no --port names a real board; a start that fails ends it.
std::unique_ptr<Simulator> startSimulator(const CliOptions &options, const ChipParams &chip)
{
    const QString program = options.simulator.isEmpty()
                                ? programFolderFile(QStringLiteral("tools/zelko6-boardsim"))
                                : options.simulator;
    QStringList arguments{QStringLiteral("--size-exp"), QString::number(chip.DUT_SizeExp)};
    if (options.baud)
        arguments << QStringLiteral("--baud") << QString::number(options.baud);
    auto simulator = std::make_unique<Simulator>(program, arguments);
    if (simulator->device().isEmpty())
        throw Failure{kExitLink,
                      CommandLine::tr("ボードシミュレーターが起動しませんでした: %1").arg(program)};
    return simulator;
}

MemoryBuffer randomImage(int sizeExp)
{
    MemoryBuffer image;
    image.recreate(sizeExp);
    std::generate(image.bytes().begin(), image.bytes().end(),
                  [] { return static_cast<uint8_t>(QRandomGenerator::global()->bounded(256)); });
    return image;
}

// The demo's five steps under their titles; the first failure decides the exit code, and the demo
// goes on where it still can.
class Steps {
  public:
    explicit Steps(const Console &console) : console_(console) {}
    void title(const QString &text) { console_.note(QStringLiteral("[%1/5] ").arg(++number_) + text); }
    void fail(int code)
    {
        if (exitCode_ == kExitOk)
            exitCode_ = code;
    }
    // A block transfer, said under its title; nothing can follow one that failed.
    void transfer(Session &session, const OperationOutcome &outcome) const
    {
        endUnlessOk(
            transferStep(session, console_, outcome, outcome.result == OperationResult::Done, kIndent));
    }
    int exitCode() const { return exitCode_; }

    static inline const QString kIndent = QStringLiteral("      ");

  private:
    const Console &console_;
    int number_ = 0;
    int exitCode_ = kExitOk;
};

} // namespace

int runDemo(const Invocation &in)
{
    const CliOptions &options = in.options;
    const Console &console = in.console;
    const ChosenChip &chip = *in.chip;
    const qint64 bytes = in.accessSize;

    const std::unique_ptr<Simulator> simulator =
        options.port ? nullptr : startSimulator(options, chip.params);
    const QString device = simulator ? simulator->device() : *options.port;
    const QString pacing = !simulator ? QString()
                           : options.baud
                               ? CommandLine::tr(" (ボードシミュレーター %1 bit/s)").arg(options.baud)
                               : CommandLine::tr(" (ボードシミュレーター, 速度制限なし)");
    console.note(CommandLine::tr("demo: %1, %2 バイト, %3%4").arg(chip.name).arg(bytes).arg(device, pacing));

    Session session(console, simulator ? must(choosePort(device)) : in.port);
    session.useChip(chip.params, bytes);
    Steps steps(console);

    steps.title(CommandLine::tr("接続確認"));
    identifyStep(session);

    steps.title(CommandLine::tr("乱数のイメージを書込み"));
    const MemoryBuffer image = randomImage(chip.params.DUT_SizeExp);
    session.buffer = image;
    steps.transfer(session, session.writeBlock());

    steps.title(CommandLine::tr("読み戻し"));
    steps.transfer(session, session.readBlock());
    if (simulator && options.baud) {
        const double expected = pacedReadSeconds(chip.params, bytes, options.baud);
        console.note(CommandLine::tr("      通信時間と規定の待ち時間 %1 秒; 実測 %2%3 %")
                         .arg(expected, 0, 'f', 2)
                         .arg(session.lastSeconds() >= expected ? QStringLiteral("+") : QStringLiteral("-"))
                         .arg(std::abs(session.lastSeconds() / expected - 1.0) * 100.0, 0, 'f', 1));
    }
    const MemoryBuffer readBack = session.buffer;
    qint64 differing = 0;
    for (qint64 a = 0; a < bytes; ++a)
        differing += readBack[static_cast<size_t>(a)] != image[static_cast<size_t>(a)];
    console.note(differing == 0 ? CommandLine::tr("      読み戻し: %1 バイトとも同じ").arg(bytes)
                                : CommandLine::tr("      読み戻し: %1 バイトが違います").arg(differing));
    if (differing != 0)
        steps.fail(kExitMismatch);

    steps.title(CommandLine::tr("ベリファイ"));
    const QString folder =
        options.output.isEmpty() ? QDir::tempPath() : QFileInfo(options.output).absolutePath();
    const QString logPath = options.logPath.isEmpty()
                                ? QDir(folder).filePath(QStringLiteral("zelko6-demo-VerifyLog.txt"))
                                : options.logPath;
    session.buffer = image;
    steps.fail(verifyStep(session, console, logPath, true, Steps::kIndent));

    steps.title(CommandLine::tr("Intel HEX で保存"));
    const QString hexPath =
        options.output.isEmpty() ? QDir(folder).filePath(QStringLiteral("zelko6-demo.hex")) : options.output;
    const FileResult saved = saveImage(readBack, hexPath, ImageFormat::IntelHex, console);
    if (saved.ok())
        console.note(saved.text);
    else
        steps.fail(reportFailure(console, Failure{saved.exitCode, saved.text}));
    return steps.exitCode();
}

} // namespace zelko6::cli
