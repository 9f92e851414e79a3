#include "cli/CliOptions.h"
#include "cli/Interruption.h"

#include <csignal>
#include <unistd.h>

namespace zelko6::cli {

namespace {
extern "C" void onInterrupt(int signalNumber)
{
    std::signal(signalNumber, SIG_DFL); // a second request ends the program at once
    if (!noteInterruptRequest())
        _exit(kExitInterrupted);
}
} // namespace

void installInterruptHandling()
{
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
}

} // namespace zelko6::cli
