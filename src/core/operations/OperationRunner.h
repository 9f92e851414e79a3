#pragma once
// A face's side of one device operation: lock what could disturb it before it starts, take its
// outcome, unlock. The one busy scope of the program: nothing else locks or unlocks.

#include "core/operations/DeviceOperations.h"

namespace zelko6 {

// What a face locks: everything through which a second operation could start or the running
// one's chip, sizes, buffer or port could change under it.
class OperationLock {
  public:
    virtual ~OperationLock() = default;
    // Called with true before an operation starts and with false when its outcome is in.
    virtual void setOperationLock(bool locked) = 0;
};

class OperationRunner {
  public:
    OperationRunner(DeviceOperations &operations, OperationLock &lock) : operations_(operations), lock_(lock)
    {
    }

    OperationOutcome run(const OperationRequest &request, MemoryBuffer &buffer);

    bool isBusy() const { return busy_; }
    // The running operation gives up at its next wait and closes the port.
    void abort() { operations_.requestAbort(); }
    DeviceOperations &operations() { return operations_; }

  private:
    // The busy scope's two ends, called by run() alone: lock before the operation starts,
    // unlock when its outcome is in.
    void BeginBusy();
    void EndBusy();

    DeviceOperations &operations_;
    OperationLock &lock_;
    bool busy_ = false;
};

} // namespace zelko6
