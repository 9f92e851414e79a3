// Block transfers of 128 KiB through the real main window, the serial link and the board
// simulator on a pseudo-terminal (offscreen platform unless a display is given).
//
// Paced at 57600 bit/s, a transfer should take the time its bytes need on the wire (10 bits per
// byte, both directions, every byte the simulator logged) plus the pauses the protocol prescribes;
// the ratio of the two shows what the program adds. Unpaced, the time per chunk beyond the pauses
// is the round trip of PC and board together, and the program's CPU per chunk is its own share of
// it. Then the paced block read again while the window is kept busy: resized as fast as events
// allow, and doing 50 ms of work every 100 ms; the link's own thread should not notice. Then the
// failures that must end an operation at once rather than after a reply limit: how long the
// window stays locked for each. Last, the CPU the program uses while it waits out a silent board.
//
// Run: build/bench/bench_transfer [--size-exp N] [--only paced|unpaced|load|failing|silent]
//                                 [--simulator PATH]
// (the simulator must be built: target zelko6-boardsim). The chip is 2^17 bytes unless told;
// another simulator command (a wrapper that traces it, say) can be given.

#include "BenchSupport.h"
#include "gui/AppState.h"
#include "gui/Application.h"
#include "gui/Desktop.h"
#include "gui/Fonts.h"
#include "gui/GuardedApplication.h"
#include "gui/HexGridView.h"
#include "gui/MainStatusBar.h"
#include "gui/MainWindow.h"
#include "messages/StatusTexts.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <vector>

using namespace zelko6;
using bench::NoShell;
using bench::SilentBoxes;

namespace {

constexpr int kChunk = 16;
constexpr double kBaud = 57600.0;
// The prescribed pauses, in seconds. Connection check: 200 ms after opening, 50 ms after the
// first query. Mode set-up: 10 ms after its lead-in. Then the opening of the transfer: read and
// verify 100 ms after the set-up, 100 ms after the lead-in, 10 ms after header and each record;
// write 100 ms after the set-up, 10 ms after the lead-in, header and each record.
constexpr double kCheckPauses = 0.200 + 0.050;
constexpr double kReadPauses = kCheckPauses + 0.010 + 0.100 + 0.100 + 3 * 0.010;
constexpr double kWritePauses = kCheckPauses + 0.010 + 0.100 + 0.010 + 3 * 0.010;

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The simulator on its own pty, port 1 pointed at it; its log counts the bytes on the wire.
class Board {
  public:
    static QString program;
    Board(const QString &folder, const QStringList &switches) : log_(folder + QStringLiteral("/wire.log"))
    {
        static int serial = 0;
        link_ = folder +
                QStringLiteral("/zelko6-bench-%1-%2").arg(QCoreApplication::applicationPid()).arg(++serial);
        QFile::remove(log_);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(program, QStringList{QStringLiteral("--link"), link_, QStringLiteral("--log"), log_} +
                                    switches);
        QElapsedTimer clock;
        clock.start();
        while (!process_.canReadLine() && clock.elapsed() < 5000 && process_.state() != QProcess::NotRunning)
            process_.waitForReadyRead(100);
        ready_ = process_.readLine().startsWith("PTY ");
        qputenv("ZELKO6_COM1", QFile::encodeName(link_));
    }
    ~Board()
    {
        process_.terminate();
        if (!process_.waitForFinished(5000))
            process_.kill();
    }
    bool ready() const { return ready_; }
    // Bytes each way as the simulator logged them, per operation: each operation's connection
    // check gets two identification replies, so the third reply starts the second operation
    // (the one query before it is counted with the first: 10 bits in a transfer).
    struct Bytes {
        qint64 fromPc = 0;
        qint64 fromBoard = 0;
        qint64 total() const { return fromPc + fromBoard; }
    };
    std::vector<Bytes> bytesPerOperation() const
    {
        std::vector<Bytes> out(1);
        QFile f(log_);
        if (!f.open(QIODevice::ReadOnly))
            return out;
        int replies = 0;
        for (const QByteArray &line : f.readAll().split('\n')) {
            const qint64 n = line.count(' ');
            if (line.startsWith("BD: 51 54 2D 4C 4E 4B") && ++replies % 2 == 1 && replies > 1)
                out.emplace_back();
            if (line.startsWith("PC:"))
                out.back().fromPc += n;
            else if (line.startsWith("BD:"))
                out.back().fromBoard += n;
        }
        return out;
    }

  private:
    QProcess process_;
    QString link_;
    QString log_;
    bool ready_ = false;
};

QString Board::program = QStringLiteral(ZELKO6_BINARY_DIR "/tools/zelko6-boardsim");

struct Run {
    double seconds = 0; // the click, from press to the window being usable again
    double cpu = 0;     // the program's CPU over the click, all threads
    QString message;    // panel 1 afterwards
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    GuardedApplication qtApp(argc, argv);
    int sizeExp = 17;
    QString only;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QStringLiteral("--size-exp"))
            sizeExp = qBound(8, args[i + 1].toInt(), 24);
        else if (args[i] == QStringLiteral("--only"))
            only = args[i + 1];
        else if (args[i] == QStringLiteral("--simulator"))
            Board::program = args[i + 1];
    }
    const int chunks = (1 << sizeExp) / kChunk;
    auto wanted = [&](const char *part) { return only.isEmpty() || only == QLatin1String(part); };
    installFontSubstitutions();
    QTemporaryDir programDir, settingsDir, runtimeDir, work;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    {
        QFile ini(programDir.filePath(QStringLiteral("zelko6.ini")));
        if (!ini.open(QIODevice::WriteOnly))
            return 1;
        ini.write("Ver 1\r\nBENCH " + QByteArray::number(1 << sizeExp) + "B 2 " +
                  QByteArray::number(sizeExp) + " 256 2 0 bench\r\n");
    }
    QByteArray image(1 << sizeExp, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>((i * 37 + (i >> 8)) & 0xFF);
    const QString imagePath = work.filePath(QStringLiteral("image.bin"));
    {
        QFile f(imagePath);
        if (!f.open(QIODevice::WriteOnly) || f.write(image) != image.size())
            return 1;
    }

    QtSettingsStore store;
    SilentBoxes boxes;
    NoShell shell;
    Application app(store, boxes, shell,
                    {programDir.path(), runtimeDir.filePath(QStringLiteral("zelko6.lock")), {}});
    if (!app.Main())
        return 1;
    MainWindow &main = *app.mainWindow();
    auto press = [&](const char *name) {
        Run run;
        auto *button = main.findChild<QPushButton *>(QLatin1String(name));
        const double cpu = cpuSeconds(RUSAGE_SELF);
        QElapsedTimer clock;
        clock.start();
        button->click();
        // The operation runs on the link's thread; the window goes on until its outcome is in.
        while (main.operations().isBusy())
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        run.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        run.cpu = cpuSeconds(RUSAGE_SELF) - cpu;
        run.message = main.status().panel(1);
        return run;
    };
    const QStringList chip{QStringLiteral("--size-exp"), QString::number(sizeExp), QStringLiteral("--image"),
                           imagePath};
    const QStringList paced{QStringLiteral("--baud"), QStringLiteral("57600")};

    std::printf("%d-byte two-wire chip, %d chunks of %d bytes per transfer\n\n", 1 << sizeExp, chunks,
                kChunk);
    auto pacedLine = [](const char *what, double seconds, const Board::Bytes &bytes, double pauses,
                        int chunks) {
        const double wire = static_cast<double>(bytes.total()) * 10.0 / kBaud;
        const double expected = wire + pauses;
        std::printf("  %-7s %lld + %lld bytes: wire %.3f s + pauses %.3f s = %.3f s; took %.3f s; "
                    "ratio %.4f (%+.2f %%), %.3f ms per chunk beyond\n",
                    what, static_cast<long long>(bytes.fromPc), static_cast<long long>(bytes.fromBoard), wire,
                    pauses, expected, seconds, seconds / expected, 100.0 * (seconds / expected - 1.0),
                    1e3 * (seconds - expected) / chunks);
    };
    if (wanted("paced")) {
        Board board(work.path(), chip + paced);
        if (!board.ready())
            return 2;
        const Run run = press("Cmd_READ_all");
        std::printf("paced block read, 57600 bit/s: %s (goal: ratio within 3 %%)\n", qPrintable(run.message));
        pacedLine("read", run.seconds, board.bytesPerOperation().front(), kReadPauses, chunks);
        std::printf("  program CPU over it %.3f s = %.1f %% of one core\n\n", run.cpu,
                    100.0 * run.cpu / run.seconds);
    }
    if (wanted("paced")) {
        Board board(work.path(), chip + paced);
        if (!board.ready())
            return 2;
        // The write's own end: when the window says it has finished, before the verify starts.
        const QString writeDone = StatusTexts::writeDone(0).section(u'(', 0, 0);
        QElapsedTimer sincePress;
        double write = 0.0;
        const auto watch = QObject::connect(
            &main.status(), &MainStatusBar::panelChanged, [&](int panel, const QString &text) {
                if (panel == 1 && text.startsWith(writeDone))
                    write = static_cast<double>(sincePress.nsecsElapsed()) / 1e9;
            });
        sincePress.start();
        const Run run = press("Cmd_WRITE_all");
        QObject::disconnect(watch);
        const auto bytes = board.bytesPerOperation();
        std::printf("paced block write + verify, 57600 bit/s: %s (goal: ratio within 3 %%)\n",
                    qPrintable(run.message));
        if (bytes.size() == 2) {
            pacedLine("write", write, bytes[0], kWritePauses, chunks);
            pacedLine("verify", run.seconds - write, bytes[1], kReadPauses, chunks);
            pacedLine(
                "both", run.seconds,
                Board::Bytes{bytes[0].fromPc + bytes[1].fromPc, bytes[0].fromBoard + bytes[1].fromBoard},
                kWritePauses + kReadPauses, 2 * chunks);
        } else {
            std::printf("  the log does not show two operations\n");
        }
        std::printf("  program CPU over it %.3f s = %.1f %% of one core\n\n", run.cpu,
                    100.0 * run.cpu / run.seconds);
    }

    // The paced read while the window thread is kept busy: each figure against the idle one.
    if (wanted("load")) {
        auto pacedRead = [&](const char *what, const std::function<void(bool)> &load) {
            Board board(work.path(), chip + paced);
            if (!board.ready())
                return Run{};
            load(true);
            const Run run = press("Cmd_READ_all");
            load(false);
            const double expected =
                static_cast<double>(board.bytesPerOperation().front().total()) * 10.0 / kBaud + kReadPauses;
            std::printf(
                "  %-34s took %.3f s (wire and pauses %.3f s, %+.2f %%), program CPU %.1f %% of one core\n",
                what, run.seconds, expected, 100.0 * (run.seconds / expected - 1.0),
                100.0 * run.cpu / run.seconds);
            return run;
        };
        std::printf("paced block read, 57600 bit/s, with the window thread loaded (goal: each within 3 %% of "
                    "idle)\n");
        const Run idle = pacedRead("idle", [](bool) {});
        QTimer resizer;
        bool wide = false;
        QObject::connect(&resizer, &QTimer::timeout, &main, [&] {
            wide = !wide;
            main.resize(wide ? 1180 : 980, wide ? 760 : 640);
        });
        const Run resized = pacedRead("resized as fast as events allow", [&](bool on) {
            if (on)
                resizer.start(0);
            else
                resizer.stop();
        });
        QTimer worker;
        QObject::connect(&worker, &QTimer::timeout, &main, [] {
            QElapsedTimer busy;
            busy.start();
            while (busy.elapsed() < 50) {
            }
        });
        const Run busy = pacedRead("busy 50 ms in every 100 ms", [&](bool on) {
            if (on)
                worker.start(100);
            else
                worker.stop();
        });
        if (idle.seconds > 0)
            std::printf("  against idle: resized %+.2f %%, busy %+.2f %%\n\n",
                        100.0 * (resized.seconds / idle.seconds - 1.0),
                        100.0 * (busy.seconds / idle.seconds - 1.0));
    }

    // Unpaced: what is left beyond the pauses is the PC's and the board's turnaround per chunk.
    auto unpacedReport = [](const char *what, const Run &run, double pauses, int chunks) {
        std::printf("%s: %.3f s, %s\n", what, run.seconds, qPrintable(run.message));
        std::printf("  (elapsed - pauses) / chunks  %.4f ms per chunk (PC and board together; goal for the "
                    "PC <= 0.2 ms)\n",
                    1e3 * (run.seconds - pauses) / chunks);
        std::printf(
            "  program CPU per chunk        %.4f ms  (%.3f s over the click = %.1f %% of one core)\n\n",
            1e3 * run.cpu / chunks, run.cpu, 100.0 * run.cpu / run.seconds);
    };
    if (wanted("unpaced")) {
        Board board(work.path(), chip);
        if (!board.ready())
            return 2;
        unpacedReport("unpaced block read", press("Cmd_READ_all"), kReadPauses, chunks);
    }
    if (wanted("unpaced")) {
        Board board(work.path(), chip);
        if (!board.ready())
            return 2;
        unpacedReport("unpaced block write + verify", press("Cmd_WRITE_all"), kWritePauses + kReadPauses,
                      2 * chunks);
    }

    // Failures the program notices at once: a board that vanishes, a wrong acknowledgement, a port
    // that is not there. Anything near the 10 s reply limits means a wait was sat out instead.
    if (wanted("failing")) {
        std::printf("failures that end the operation at once (goal: far below the 10 s reply limits)\n");
        const auto failing = [&](const char *what, const char *button) {
            const Run run = press(button);
            std::printf("  %-44s locked %.3f s: %s\n", what, run.seconds, qPrintable(run.message));
        };
        {
            Board board(work.path(),
                        chip + QStringList{QStringLiteral("--unplug-after"), QStringLiteral("4")});
            if (board.ready())
                failing("board unplugged after four chunks of a read", "Cmd_READ_all");
        }
        {
            Board board(work.path(),
                        chip + QStringList{QStringLiteral("--write-ack-wrong-at"), QStringLiteral("0")});
            main.grid().setCurrentCell(1, 1); // address 0
            if (board.ready())
                failing("wrong acknowledgement of a byte write", "Cmd_WRITE_single");
        }
        qputenv("ZELKO6_COM1", QFile::encodeName(work.filePath(QStringLiteral("no-such-port"))));
        failing("a port that is not there", "Cmd_READ_all");
        std::printf("\n");
    }

    // A board that never answers: the connection check waits its 10 s on the event loop.
    if (wanted("silent")) {
        Board board(work.path(), chip + QStringList{QStringLiteral("--silent")});
        if (!board.ready())
            return 2;
        // Byte Read: a failed Block Read would also erase and redraw 128 KiB, which is no waiting.
        const double threadCpu = cpuSeconds(RUSAGE_THREAD);
        const Run run = press("Cmd_READ_single");
        const double mainThread = cpuSeconds(RUSAGE_THREAD) - threadCpu;
        std::printf("silent board: waited %.2f s, %s\n", run.seconds, qPrintable(run.message));
        std::printf(
            "  program CPU %.3f s = %.2f %% of one core (user-interface thread alone %.2f %%; goal < 5 %%)\n",
            run.cpu, 100.0 * run.cpu / run.seconds, 100.0 * mainThread / run.seconds);
    }
    return 0;
}
