#pragma once
// Ctrl-C, termination requests and a hang-up of the terminal (SIGINT, SIGTERM, SIGHUP). Outside an orderly
// stretch the first one ends the program at once with exit code 130: nothing has been written yet that could
// be left half done. Inside one (an operation on the board, the writing of a file) it is only noted: the
// operation ends at its next wait and closes the port, a file is not put in place, and the command then exits
// with 130. A second request always ends the program at once.

#include <atomic>

class QProcess;

namespace zelko6::cli {

// Installs the platform's handler (Interruption_linux.cpp: SIGINT, SIGTERM and SIGHUP;
// Interruption_windows.cpp: the console's Ctrl-C, Ctrl-Break and close).
void installInterruptHandling();

// For that handler: notes a request and says whether the program carries on (the first request
// inside an orderly stretch) or is to end at once with kExitInterrupted. Safe in a signal handler.
bool noteInterruptRequest();

// Makes `child` (not started yet) end when this process ends, on any way out, a SIGKILL included:
// nothing the command line starts may outlive it holding the caller's terminal or pipes.
// On Linux a death signal set in the child; on Windows a job object that ends its processes when
// this one ends.
void endWithThisProcess(QProcess &child);

// Set by the first request; the device operations watch it.
const std::atomic<bool> &interruptFlag();
bool interrupted();

// For its lifetime, requests are noted instead of ending the program.
class OrderlyStretch {
  public:
    OrderlyStretch();
    ~OrderlyStretch();
    OrderlyStretch(const OrderlyStretch &) = delete;
    OrderlyStretch &operator=(const OrderlyStretch &) = delete;

  private:
    bool outermost_;
};

} // namespace zelko6::cli
