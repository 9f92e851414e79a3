// Figures of the programmer link on a pseudo-terminal, with the board played by a thread of this
// program: the CPU share of the connection check waiting out a silent board, and, in an unpaced
// block read of 128 KiB, the round trip per chunk (last data byte written by the board until the
// "@" is back) and the CPU the waiting costs. Then the same round trip with both sides idle between
// chunks, as at the line rate, once through the program and once through a bare client (poll,
// read, write on the pty and nothing else): their difference is what the program adds to every
// chunk; the rest is the machine's (the pty's hand-over and waking a sleeping thread).
// Run: build/bench/bench_link

#include "core/base/Settings.h"
#include "core/operations/DeviceOperations.h"
#include "core/programmer/ConnectionCheck.h"
#include "core/programmer/QtSerialLink.h"
#include "messages/StatusRenderer.h"

#include <QCoreApplication>
#include <QMap>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace zelko6;
using Clock = std::chrono::steady_clock;

namespace {

struct MemoryStore final : SettingsStore {
    QString get(const QString &s, const QString &k, const QString &d) const override
    {
        return v.value(s + k, d);
    }
    void save(const QString &s, const QString &k, const QString &value) override { v[s + k] = value; }
    QMap<QString, QString> v;
};
// The status panels as the window's renderer writes them.
struct Panels final : StatusPanels, EventSink {
    void setText(StatusPanel p, const QString &t) override { texts[p] = t; }
    QString text(StatusPanel p) const override { return texts.value(p); }
    void report(const StatusEvent &event) override { renderer.render(event); }
    QMap<StatusPanel, QString> texts;
    StatusRenderer renderer{*this};
};

double threadCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The board's side of the exchanges a block read needs, as fast as the pty allows.
class BoardThread {
  public:
    // `gap`: how long the board is quiet before each chunk, as the wire keeps it at the line rate.
    explicit BoardThread(int master, std::chrono::microseconds gap = {})
        : master_(master), gap_(gap), thread_([this] { run(); })
    {
    }
    ~BoardThread() { stop(); }
    // Seconds, one per chunk; read only once the board has stopped, as its thread appends to it.
    std::vector<double> roundTrips()
    {
        stop();
        return roundTrips_;
    }

  private:
    int readByte()
    {
        pollfd p{master_, POLLIN, 0};
        while (!stop_) {
            if (::poll(&p, 1, 50) > 0) {
                unsigned char c;
                if (::read(master_, &c, 1) == 1)
                    return c;
            }
        }
        return -1;
    }
    void writeAll(const char *data, size_t size) { (void)!::write(master_, data, size); }
    void run()
    {
        for (int c; (c = readByte()) >= 0;) {
            if (c == '?')
                writeAll("QT-LNK-BENCH6.50\r\n", 18);
            if (c != 'E')
                continue;
            int header[3];
            for (int &h : header)
                h = readByte();
            if (header[2] == 'P') {
                writeAll("OK", 2);
                continue;
            }
            unsigned char rec[8];
            for (unsigned char &r : rec)
                r = static_cast<unsigned char>(readByte());
            const int n = rec[0];
            const int last = (rec[5] << 16) | (rec[6] << 8) | rec[7];
            const std::vector<char> chunk(static_cast<size_t>(n), '\x5A');
            for (int at = (rec[1] << 16) | (rec[2] << 8) | rec[3]; at <= last && !stop_; at += n) {
                if (gap_.count() > 0)
                    std::this_thread::sleep_for(gap_);
                writeAll(chunk.data(), chunk.size());
                const auto sent = Clock::now();
                while (readByte() != '@' && !stop_) {
                }
                roundTrips_.push_back(std::chrono::duration<double>(Clock::now() - sent).count());
            }
        }
    }
    void stop()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
    }

    std::vector<double> roundTrips_;
    int master_;
    std::chrono::microseconds gap_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// The least a PC can do per chunk: wait for 16 bytes with poll, read them, write "@".
void bareClient(const char *device, int chunks)
{
    const int fd = ::open(device, O_RDWR | O_NOCTTY);
    if (fd < 0)
        return;
    termios raw{};
    tcgetattr(fd, &raw);
    cfmakeraw(&raw);
    tcsetattr(fd, TCSANOW, &raw);
    const int last = chunks * 16 - 1;
    // "E", a header that is not the set-up's, then the record: chunk size, first address, a spare
    // byte, last address.
    QByteArray command("E\0\0R\x10\0\0\0\0", 9);
    for (int shift : {16, 8, 0})
        command += static_cast<char>(last >> shift);
    (void)!::write(fd, command.constData(), static_cast<size_t>(command.size()));
    // Waits for a whole chunk; false when the board has gone quiet.
    auto receiveChunk = [fd] {
        char data[64];
        for (int have = 0; have < 16;) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 1000) <= 0)
                return false;
            const ssize_t n = ::read(fd, data, sizeof data);
            if (n <= 0)
                return false;
            have += static_cast<int>(n);
        }
        return true;
    };
    for (int chunk = 0; chunk < chunks && receiveChunk(); ++chunk)
        (void)!::write(fd, "@", 1);
    ::close(fd);
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("pseudo-terminal");
        return 1;
    }
    qputenv("ZELKO6_COM1", ptsname(master));

    MemoryBuffer buffer;
    QtSerialLink link;
    QtPump pump;
    Panels panels;
    MemoryStore store;
    Settings settings(store);
    DeviceOperations ops(link, pump, panels);
    OperationRequest request;
    request.kind = OperationKind::ReadBlock;
    request.chip = ChipParams{2, 17, 256, 0, 0, {}};
    request.port = savedPortSettings(settings);
    request.accessSize = 131072;

    { // A silent board: the check waits its full 10 s.
        const auto wall = Clock::now();
        const double cpu = threadCpuSeconds();
        ops.identify(request.port);
        const double wallSeconds = std::chrono::duration<double>(Clock::now() - wall).count();
        const double cpuSeconds = threadCpuSeconds() - cpu;
        std::printf("silent board: waited %.2f s, CPU %.3f s = %.2f %% of one core\n", wallSeconds,
                    cpuSeconds, 100.0 * cpuSeconds / wallSeconds);
    }
    {
        BoardThread board(master);
        const auto wall = Clock::now();
        const double cpu = threadCpuSeconds();
        ops.run(request, buffer);
        const double wallSeconds = std::chrono::duration<double>(Clock::now() - wall).count();
        const double cpuSeconds = threadCpuSeconds() - cpu;
        std::vector<double> trips = board.roundTrips();
        std::sort(trips.begin(), trips.end());
        if (trips.empty()) {
            std::printf("block read failed: %s\n", qPrintable(panels.text(StatusPanel::Message)));
            return 1;
        }
        std::printf("unpaced block read of 131072 bytes: %zu chunks in %.2f s, %s\n", trips.size(),
                    wallSeconds, qPrintable(panels.text(StatusPanel::Message)));
        std::printf(
            "round trip per chunk (board writes 16 bytes .. '@' back): median %.3f ms, 99th %.3f ms\n",
            1e3 * trips[trips.size() / 2], 1e3 * trips[trips.size() * 99 / 100]);
        std::printf("UI thread CPU during the read: %.2f s = %.1f %% of one core\n", cpuSeconds,
                    100.0 * cpuSeconds / wallSeconds);
    }
    { // Idle between chunks, as at the line rate: both sides sleep, and waking is part of the trip.
        constexpr auto kChunkWireTime = std::chrono::microseconds(17 * 10 * 1'000'000 / 57600);
        // In turns, so that both meet the machine in the same moods (which core wakes whom).
        constexpr int kTurns = 8;
        constexpr int kChunks = 256;
        request.accessSize = kChunks * 16;
        std::vector<double> programTrips, bareTrips;
        for (int turn = 0; turn < kTurns; ++turn) {
            {
                BoardThread board(master, kChunkWireTime);
                ops.run(request, buffer);
                const auto trips = board.roundTrips();
                programTrips.insert(programTrips.end(), trips.begin(), trips.end());
            }
            BoardThread board(master, kChunkWireTime);
            bareClient(ptsname(master), kChunks);
            const auto trips = board.roundTrips();
            bareTrips.insert(bareTrips.end(), trips.begin(), trips.end());
        }
        const double program = median(programTrips);
        const double bare = median(bareTrips);
        std::printf("round trip per chunk with both sides idle in between (%d chunks each, %.2f ms apart):\n"
                    "  the program: median %.3f ms; a bare poll/read/write client: median %.3f ms;\n"
                    "  the program adds %.3f ms per chunk = %.2f %% of a chunk's %.2f ms on the wire\n",
                    kTurns * kChunks, 1e3 * std::chrono::duration<double>(kChunkWireTime).count(),
                    1e3 * program, 1e3 * bare, 1e3 * (program - bare),
                    100.0 * (program - bare) / std::chrono::duration<double>(kChunkWireTime).count(),
                    1e3 * std::chrono::duration<double>(kChunkWireTime).count());
    }
    ::close(master);
    return 0;
}
