#include "cli/CliOptions.h"
#include "cli/Interruption.h"

#include <QProcess>
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

void endWithThisProcess(QProcess &)
{
    // A job that ends every process in it when its last handle closes, and this process in it:
    // whatever it starts afterwards joins the job, so nothing outlives it, however it ends. The
    // handle is left open on purpose; the system closes it with the process.
    static const bool joined = [] {
        HANDLE job = ::CreateJobObjectW(nullptr, nullptr);
        if (job == nullptr)
            return false;
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        return ::SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits) &&
               ::AssignProcessToJobObject(job, ::GetCurrentProcess());
    }();
    Q_UNUSED(joined);
}

} // namespace zelko6::cli
