#pragma once
// A face's side of one device operation: lock what could disturb it before it starts, take its
// outcome when it is in, unlock. The one busy scope of the program: nothing else locks or unlocks.

#include "core/operations/DeviceOperations.h"

#include <functional>

namespace zelko6 {

// What a face locks: everything through which a second operation could start or the running
// one's chip, sizes, buffer or port could change under it.
class OperationLock {
  public:
    virtual ~OperationLock() = default;
    // Called with true before an operation starts and with false when its outcome is in.
    virtual void setOperationLock(bool locked) = 0;
};

using OperationDone = std::function<void(const OperationOutcome &)>;

// Where operations run: on a thread of their own (LinkThread) or, for fakes in tests, on the
// calling thread (InlineExecutor). `done` is called once, on the caller's thread.
class OperationExecutor {
  public:
    virtual ~OperationExecutor() = default;
    // `buffer` belongs to the operation until `done` is called: the caller's lock keeps everybody
    // else from writing it.
    virtual void start(const OperationRequest &request, MemoryBuffer &buffer, OperationDone done) = 0;
    // From any thread: the running operation ends at its next wait, as interrupted.
    virtual void requestAbort() = 0;
};

// Runs each operation to its end before start() returns.
class InlineExecutor final : public OperationExecutor {
  public:
    explicit InlineExecutor(DeviceOperations &operations) : operations_(operations) {}
    void start(const OperationRequest &request, MemoryBuffer &buffer, OperationDone done) override;
    void requestAbort() override { operations_.requestAbort(); }

  private:
    DeviceOperations &operations_;
};

class OperationRunner {
  public:
    OperationRunner(OperationExecutor &executor, OperationLock &lock) : executor_(executor), lock_(lock) {}

    // Locks, starts the operation, and when its outcome is in unlocks and calls `done` (when
    // given). Not while another one runs.
    void start(const OperationRequest &request, MemoryBuffer &buffer, OperationDone done = {});

    bool isBusy() const { return busy_; }
    // The running operation gives up at its next wait and closes the port.
    void abort();

  private:
    // The busy scope's two ends: lock before the operation starts, unlock when its outcome is in.
    void BeginBusy();
    void EndBusy();

    OperationExecutor &executor_;
    OperationLock &lock_;
    bool busy_ = false;
};

} // namespace zelko6
