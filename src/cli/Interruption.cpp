#include "cli/Interruption.h"

namespace zelko6::cli {

namespace {
// Both are lock-free, so a signal handler may touch them.
std::atomic<bool> g_interrupted{false};
std::atomic<bool> g_orderly{false};
static_assert(std::atomic<bool>::is_always_lock_free);
} // namespace

bool noteInterruptRequest()
{
    const bool first = !g_interrupted.exchange(true);
    return first && g_orderly;
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
