#include "cli/CliOptions.h"
#include "cli/Interruption.h"

#include <cstdlib>
#include <windows.h>

namespace zelko6::cli {

namespace {
// Runs on a thread of its own that the system starts for each event.
BOOL WINAPI onConsoleControl(DWORD event)
{
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        if (!noteInterruptRequest())
            std::_Exit(kExitInterrupted);
        return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        if (!noteInterruptRequest())
            std::_Exit(kExitInterrupted);
        // The system ends the process as soon as this returns (and after a few seconds anyway):
        // wait here while the operation closes the port and the program ends itself.
        ::Sleep(INFINITE);
        return TRUE;
    default:
        return FALSE;
    }
}
} // namespace

void installInterruptHandling()
{
    // A program started in a new process group inherits Ctrl-C switched off: switch it on again.
    ::SetConsoleCtrlHandler(nullptr, FALSE);
    ::SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

} // namespace zelko6::cli
