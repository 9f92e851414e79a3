#include "cli/Interruption.h"

#include "cli/CliOptions.h"

#include <QProcess>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace zelko6::cli {

namespace {
// Both are lock-free, so a signal handler may touch them.
std::atomic<bool> g_interrupted{false};
std::atomic<bool> g_orderly{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// Ctrl-C, a termination request, a closed terminal or a dropped session: each asks the same.
constexpr int kRequests[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void onInterrupt(int)
{
    for (const int request : kRequests)
        std::signal(request, SIG_DFL); // a second request, of any kind, ends the program at once
    g_interrupted = true;
    if (!g_orderly)
        _exit(kExitInterrupted);
}
} // namespace

void installInterruptHandling()
{
    for (const int request : kRequests)
        std::signal(request, onInterrupt);
}

void endWithThisProcess(QProcess &child)
{
    const pid_t parent = getpid();
    // Runs in the child between fork and exec, where only async-signal-safe calls belong. The
    // death signal outlives the exec; a parent already gone before it was set is caught by the
    // check after it.
    child.setChildProcessModifier([parent] {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(kExitInterrupted);
    });
}

const std::atomic<bool> &interruptFlag()
{
    return g_interrupted;
}

bool interrupted()
{
    return g_interrupted;
}

OrderlyStretch::OrderlyStretch() : outermost_(!g_orderly.exchange(true)) {}

OrderlyStretch::~OrderlyStretch()
{
    if (outermost_)
        g_orderly = false;
}

} // namespace zelko6::cli
