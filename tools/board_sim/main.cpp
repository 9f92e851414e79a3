// zelko6-boardsim: plays the programmer board on a pseudo-terminal so the program can be run and
// tested end to end without hardware. See usage() for the switches.

#include "Board.h"
#include "Options.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

using namespace boardsim;

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;

void onStopSignal(int)
{
    g_stopRequested = 1;
}

[[noreturn]] void fail(const std::string &what)
{
    std::fprintf(stderr, "zelko6-boardsim: %s: %s\n", what.c_str(), std::strerror(errno));
    std::exit(1);
}

// One line per run of bytes in one direction, written as the bytes move so that a reader can
// follow a run that is still going on.
class WireLog {
  public:
    explicit WireLog(const std::string &path)
    {
        if (!path.empty() && !(file_ = std::fopen(path.c_str(), "w")))
            fail("cannot create log " + path);
    }
    ~WireLog()
    {
        if (!file_)
            return;
        if (direction_)
            std::fputc('\n', file_);
        std::fclose(file_);
    }
    void record(const char *direction, const std::uint8_t *bytes, std::size_t n)
    {
        if (!file_ || n == 0)
            return;
        if (direction != direction_)
            std::fprintf(file_, "%s%s:", direction_ ? "\n" : "", direction);
        direction_ = direction;
        for (std::size_t i = 0; i < n; ++i)
            std::fprintf(file_, " %02X", bytes[i]);
        std::fflush(file_);
    }

  private:
    std::FILE *file_ = nullptr;
    const char *direction_ = nullptr;
};

Bytes loadMemory(const Options &opt)
{
    Bytes memory(std::size_t{1} << opt.sizeExp, 0xFF);
    if (opt.imagePath.empty())
        return memory;
    std::ifstream in(opt.imagePath, std::ios::binary);
    if (!in)
        fail("cannot read image " + opt.imagePath);
    in.read(reinterpret_cast<char *>(memory.data()), static_cast<std::streamsize>(memory.size()));
    return memory;
}

// Through a temporary file, so a test that reads the image while the board runs never sees half.
void saveMemory(const std::string &path, const Bytes &memory)
{
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(memory.data()), static_cast<std::streamsize>(memory.size()));
        if (!out)
            fail("cannot write " + temporary);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
        fail("cannot replace " + path);
}

struct Pty {
    int master = -1;
    int slave = -1; // held open, never read: the master then never sees a hang-up between
                    // the PC's closing and re-opening, and the line settings persist
    std::string path;
};

Pty openPty()
{
    Pty pty;
    pty.master = posix_openpt(O_RDWR | O_NOCTTY);
    if (pty.master < 0 || grantpt(pty.master) != 0 || unlockpt(pty.master) != 0)
        fail("cannot create a pseudo-terminal");
    const char *name = ptsname(pty.master);
    if (!name)
        fail("ptsname");
    pty.path = name;
    pty.slave = open(pty.path.c_str(), O_RDWR | O_NOCTTY);
    if (pty.slave < 0)
        fail("cannot open " + pty.path);
    termios tio{};
    tcgetattr(pty.slave, &tio);
    cfmakeraw(&tio);
    cfsetispeed(&tio, B57600);
    cfsetospeed(&tio, B57600);
    if (tcsetattr(pty.slave, TCSANOW, &tio) != 0)
        fail("cannot set raw mode");
    fcntl(pty.master, F_SETFL, fcntl(pty.master, F_GETFL) | O_NONBLOCK);
    return pty;
}

// How early the loop wakes for the last byte of a paced reply, to send it on time.
constexpr std::chrono::microseconds kFinalByteLead{150};

// Moves bytes between the pty master and the board. When paced, every byte occupies the line for
// ten bit times: the board acts on a received byte only once it has fully arrived, and a sent
// byte is handed to the pty when its last bit would have left.
class Wire {
  public:
    Wire(const Options &opt, int master, Board &board, WireLog &log)
        : opt_(opt), master_(master), board_(board), log_(log),
          byteTime_(opt.baud ? std::chrono::nanoseconds(10'000'000'000LL / opt.baud) : Clock::duration{})
    {
    }

    void send(const Bytes &bytes, TimePoint notBefore)
    {
        if (opt_.silent)
            return;
        for (std::uint8_t b : bytes) {
            const TimePoint leaves = std::max(notBefore, txLineFree_) + byteTime_;
            txLineFree_ = leaves;
            tx_.push_back({b, leaves});
        }
    }

    // Runs until a signal, an unplug or the operation count ends it.
    void run(const sigset_t &waitMask)
    {
        for (;;) {
            TimePoint now = Clock::now();
            actOnReceived(now);
            // The last byte of a reply is the one the PC waits for: hand it over on its deadline
            // rather than when the timer happens to wake us (tens of microseconds late on a busy
            // machine, which would count against the PC's turnaround).
            if (finalByteWithin(now, kFinalByteLead))
                while (Clock::now() < tx_.front().at) {
                }
            now = Clock::now();
            transmitDue(now);
            if (g_stopRequested || (leaving && tx_.empty()))
                return;
            pollfd pfd{master_, static_cast<short>(POLLIN | (txBlocked_ ? POLLOUT : 0)), 0};
            timespec timeout{};
            const bool bounded = nextDeadline(now, timeout);
            if (ppoll(&pfd, 1, bounded ? &timeout : nullptr, &waitMask) < 0) {
                if (errno == EINTR)
                    continue;
                fail("poll");
            }
            if (pfd.revents & (POLLHUP | POLLERR))
                fail("pty master hung up");
            if (pfd.revents & POLLOUT)
                txBlocked_ = false;
            if (pfd.revents & POLLIN)
                receive(Clock::now());
        }
    }

    bool leaving = false; // finish sending what is queued, then stop

  private:
    struct Timed {
        std::uint8_t byte;
        TimePoint at;
    };

    void receive(TimePoint now)
    {
        std::uint8_t buf[4096];
        for (;;) {
            const ssize_t n = read(master_, buf, sizeof buf);
            if (n <= 0) {
                if (n < 0 && errno != EAGAIN && errno != EINTR)
                    fail("read from pty");
                return;
            }
            log_.record("PC", buf, static_cast<std::size_t>(n));
            for (ssize_t i = 0; i < n; ++i) {
                rxLineFree_ = std::max(now, rxLineFree_) + byteTime_;
                rx_.push_back({buf[i], rxLineFree_});
            }
        }
    }

    void actOnReceived(TimePoint now)
    {
        while (!rx_.empty() && !leaving && !g_stopRequested) {
            const TimePoint at = std::max(rx_.front().at, board_.busyUntil());
            if (at > now)
                return;
            const std::uint8_t byte = rx_.front().byte;
            rx_.pop_front();
            board_.receive(byte, at);
        }
    }

    void transmitDue(TimePoint now)
    {
        if (txBlocked_)
            return;
        Bytes due;
        for (auto it = tx_.begin(); it != tx_.end() && it->at <= now; ++it)
            due.push_back(it->byte);
        if (due.empty())
            return;
        const ssize_t n = write(master_, due.data(), due.size());
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            fail("write to pty");
        const std::size_t sent = n > 0 ? static_cast<std::size_t>(n) : 0;
        log_.record("BD", due.data(), sent);
        tx_.erase(tx_.begin(), tx_.begin() + static_cast<std::ptrdiff_t>(sent));
        txBlocked_ = sent < due.size();
    }

    bool finalByteWithin(TimePoint now, Clock::duration lead) const
    {
        return byteTime_ != Clock::duration{} && tx_.size() == 1 && !txBlocked_ && tx_.front().at > now &&
               tx_.front().at - now <= lead;
    }

    bool nextDeadline(TimePoint now, timespec &timeout) const
    {
        TimePoint next = TimePoint::max();
        if (!tx_.empty() && !txBlocked_)
            next = tx_.size() == 1 && byteTime_ != Clock::duration{} ? tx_.front().at - kFinalByteLead
                                                                     : tx_.front().at;
        if (!rx_.empty() && !leaving)
            next = std::min(next, std::max(rx_.front().at, board_.busyUntil()));
        if (next == TimePoint::max())
            return false;
        const auto wait = std::chrono::duration_cast<std::chrono::nanoseconds>(
            std::max(next - now, Clock::duration::zero()));
        timeout.tv_sec = static_cast<time_t>(wait.count() / 1'000'000'000);
        timeout.tv_nsec = static_cast<long>(wait.count() % 1'000'000'000);
        return true;
    }

    const Options &opt_;
    int master_;
    Board &board_;
    WireLog &log_;
    Clock::duration byteTime_;
    std::deque<Timed> rx_, tx_;
    TimePoint rxLineFree_{}, txLineFree_{};
    bool txBlocked_ = false;
};

void makeLink(const std::string &link, const std::string &target)
{
    struct stat st {};
    if (lstat(link.c_str(), &st) == 0 && unlink(link.c_str()) != 0)
        fail("cannot replace " + link);
    if (symlink(target.c_str(), link.c_str()) != 0)
        fail("cannot create link " + link);
}

// Only our own link: another simulator may have taken the name over meanwhile.
void removeLink(const std::string &link, const std::string &target)
{
    char buf[4096];
    const ssize_t n = readlink(link.c_str(), buf, sizeof buf);
    if (n > 0 && std::string(buf, static_cast<std::size_t>(n)) == target)
        unlink(link.c_str());
}

} // namespace

int main(int argc, char **argv)
{
    Options opt;
    try {
        opt = parseOptions(argc, argv);
    } catch (const std::invalid_argument &e) {
        std::fprintf(stderr, "zelko6-boardsim: %s\n%s", e.what(), usage());
        return 2;
    }

    // Blocked except inside ppoll, so a stop request can never slip in between a check and a wait.
    sigset_t stopSignals, waitMask;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
    sigdelset(&waitMask, SIGTERM);
    sigdelset(&waitMask, SIGINT);
    struct sigaction onStop {};
    onStop.sa_handler = onStopSignal;
    sigaction(SIGTERM, &onStop, nullptr);
    sigaction(SIGINT, &onStop, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
#ifdef __linux__
    // The default 50 us of timer slack per wake-up would add up to several per cent of wire time.
    if (opt.baud)
        prctl(PR_SET_TIMERSLACK, 1UL);
#endif

    Board board(opt, loadMemory(opt));
    WireLog log(opt.logPath);
    Pty pty = openPty();
    Wire wire(opt, pty.master, board, log);

    unsigned operations = 0;
    board.send = [&](const Bytes &bytes, TimePoint notBefore) { wire.send(bytes, notBefore); };
    board.operationCompleted = [&](bool wasWrite) {
        if (wasWrite && !opt.savePath.empty())
            saveMemory(opt.savePath, board.memory());
        if (opt.quitAfterOps && ++operations >= opt.quitAfterOps)
            wire.leaving = true;
    };
    board.unplug = [&] { wire.leaving = true; };

    if (!opt.linkPath.empty())
        makeLink(opt.linkPath, pty.path);
    std::printf("PTY %s\n", pty.path.c_str());
    std::fflush(stdout);

    wire.run(waitMask);

    // Closing the master is what makes the device vanish for a PC that still holds it open.
    close(pty.master);
    close(pty.slave);
    if (!opt.savePath.empty())
        saveMemory(opt.savePath, board.memory());
    if (!opt.linkPath.empty())
        removeLink(opt.linkPath, pty.path);
    return 0;
}
