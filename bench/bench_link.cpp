// Figures of the programmer link on a pseudo-terminal, with the board played by a thread of this
// program: the CPU share of the connection check waiting out a silent board, and, in an unpaced
// block read of 128 KiB, the round trip per chunk (last data byte written by the board until the
// "@" is back) and the CPU the waiting costs. Run: build/bench/bench_link

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
    explicit BoardThread(int master) : master_(master), thread_([this] { run(); }) {}
    ~BoardThread()
    {
        stop_ = true;
        thread_.join();
    }
    std::vector<double> roundTrips; // seconds, one per chunk

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
                writeAll(chunk.data(), chunk.size());
                const auto sent = Clock::now();
                while (readByte() != '@' && !stop_) {
                }
                roundTrips.push_back(std::chrono::duration<double>(Clock::now() - sent).count());
            }
        }
    }
    int master_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

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
        std::vector<double> trips = board.roundTrips;
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
    ::close(master);
    return 0;
}
