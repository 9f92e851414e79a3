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

// One job for every child: the system closes its handle when this process ends, however it ends,
// and the job then ends the processes in it.
HANDLE childrenJob()
{
    static const HANDLE job = [] {
        const HANDLE made = ::CreateJobObjectW(nullptr, nullptr);
        if (made) {
            JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
            limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
            ::SetInformationJobObject(made, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        }
        return made;
    }();
    return job;
}
} // namespace

void installInterruptHandling()
{
    // A program started in a new process group inherits Ctrl-C switched off: switch it on again.
    ::SetConsoleCtrlHandler(nullptr, FALSE);
    ::SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

void endWithThisProcess(QProcess &child)
{
    // Into the job as soon as it runs; the moment between its start and this is the child's own.
    QObject::connect(&child, &QProcess::started, &child, [&child] {
        const HANDLE job = childrenJob();
        if (!job)
            return;
        const HANDLE process = ::OpenProcess(PROCESS_SET_QUOTA | PROCESS_TERMINATE, FALSE,
                                             static_cast<DWORD>(child.processId()));
        if (!process)
            return;
        ::AssignProcessToJobObject(job, process);
        ::CloseHandle(process);
    });
}

} // namespace zelko6::cli
