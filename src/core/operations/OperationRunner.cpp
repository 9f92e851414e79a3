#include "core/operations/OperationRunner.h"

namespace zelko6 {

void InlineExecutor::start(const OperationRequest &request, MemoryBuffer &buffer, OperationDone done)
{
    operations_.clearAbort();
    done(operations_.run(request, buffer));
}

void OperationRunner::BeginBusy()
{
    busy_ = true;
    lock_.setOperationLock(true);
}

void OperationRunner::EndBusy()
{
    busy_ = false;
    lock_.setOperationLock(false);
}

void OperationRunner::start(const OperationRequest &request, MemoryBuffer &buffer, OperationDone done)
{
    if (busy_)
        return;
    BeginBusy();
    executor_.start(request, buffer, [this, done = std::move(done)](const OperationOutcome &outcome) {
        EndBusy();
        if (done)
            done(outcome);
    });
}

void OperationRunner::abort()
{
    if (busy_)
        executor_.requestAbort();
}

} // namespace zelko6
