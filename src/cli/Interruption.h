#pragma once
// Ctrl-C, termination requests and a hang-up of the terminal (SIGINT, SIGTERM, SIGHUP). Outside an orderly
// stretch the first one ends the program at once with exit code 130: nothing has been written yet that could
// be left half done. Inside one (an operation on the board, the writing of a file) it is only noted: the
// operation ends at its next wait and closes the port, a file is not put in place, and the command then exits
// with 130. A second request always ends the program at once.

#include <atomic>

class QProcess;

namespace zelko6::cli {

void installInterruptHandling();

// Makes `child` (not started yet) end when this process ends, on any way out, a SIGKILL included:
// nothing the command line starts may outlive it holding the caller's terminal or pipes.
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
