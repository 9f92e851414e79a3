#pragma once
// Read, write and verify with the busy state around them, and the four transfer buttons' click
// handlers. The main window owns one DeviceOperations and forwards the clicks; the outcome shows
// in the status bar, in ComError, in the buffer and (verify) in the log.

#include "core/base/Settings.h"
#include "core/operations/OperationView.h"
#include "core/programmer/Protocol.h"
#include "core/programmer/Transfer.h"
#include "gui/AppState.h"
#include "gui/Ports.h"

#include <variant>

namespace zelko6 {

// The world as an operation sees it.
struct OperationPorts {
    AppState &state;
    SerialLink &link;
    Pump &pump;
    StatusPanels &panels;
    const Settings &settings;
    MessageBoxes &boxes;
    Shell &shell;
    OperationView &view;
};

enum class OperationResult {
    Done,
    Refused,     // the chip or the sizes cannot make this transfer; panel 1 says why, nothing sent
    CheckFailed, // the connection check stopped it; its texts are in the status bar
    LinkFailed,  // a time-out, a wrong acknowledgement or a lost port during the transfer
    Mismatches,  // verify only: the transfer went through but bytes differ
};

class DeviceOperations {
  public:
    explicit DeviceOperations(const OperationPorts &ports);

    // The transfer buttons. Each locks the window for its whole run, including the verify that
    // follows a Block Write, and unlocks it at the end whatever happened.
    void Cmd_READ_all_Click();
    void Cmd_READ_single_Click();
    void Cmd_WRITE_all_Click();
    void Cmd_WRITE_single_Click();

    // Lock the window, clear panels 1 and 2 and ComError.
    void BeginBusy();
    // Unlock the window (not while a Block Write still has its verify to run) and close the port.
    // Calling it again changes nothing.
    void EndBusy();
    // Between BeginBusy and the EndBusy that unlocks.
    bool isBusy() const { return busy_; }
    // For the window's close handler while busy: every wait of the running operation ends at
    // once as if the board had gone away; the operation then unwinds and closes the port.
    void abortOperation() { abort_ = true; }

    // The operations themselves, with AccessMode set by the caller.
    OperationResult ReadDevice();
    OperationResult WriteDevice();
    OperationResult VerifyDevice();

  private:
    // BeginBusy on entry to a button handler, EndBusy (unlocking) on every way out.
    class BusyScope {
      public:
        explicit BusyScope(DeviceOperations &ops) : ops_(ops) { ops_.BeginBusy(); }
        ~BusyScope()
        {
            ops_.holdLock_ = false;
            ops_.EndBusy();
        }
        BusyScope(const BusyScope &) = delete;
        BusyScope &operator=(const BusyScope &) = delete;

      private:
        DeviceOperations &ops_;
    };

    // The range of the current AccessMode, or the refusal (shown in panel 1, ComError := 1).
    std::optional<TransferPlan> planOrRefuse();
    bool connectionCheckPassed();
    // The common start: yield (read and verify), the clock, ComError, the plan, the connection
    // check. The plan, or why the operation stops here.
    std::variant<TransferPlan, OperationResult> startOperation(bool yieldFirst);

    OperationPorts io_;
    LinkContext ctx_;
    bool busy_ = false;
    bool holdLock_ = false;
    bool abort_ = false;
};

} // namespace zelko6
