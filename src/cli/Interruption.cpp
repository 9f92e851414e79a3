#include "cli/Interruption.h"

#include "cli/CliOptions.h"

#include <csignal>
#include <unistd.h>

namespace zelko6::cli {

namespace {
// Both are lock-free, so a signal handler may touch them.
std::atomic<bool> g_interrupted{false};
std::atomic<bool> g_orderly{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void onInterrupt(int signalNumber)
{
    std::signal(signalNumber, SIG_DFL); // a second request ends the program at once
    g_interrupted = true;
    if (!g_orderly)
        _exit(kExitInterrupted);
}
} // namespace

void installInterruptHandling()
{
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
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
