#include "core/operations/OperationRunner.h"

namespace zelko6 {

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

OperationOutcome OperationRunner::run(const OperationRequest &request, MemoryBuffer &buffer)
{
    // Unlocked on every way out, a failure escaping the operation included.
    struct BusyScope {
        OperationRunner &runner;
        explicit BusyScope(OperationRunner &r) : runner(r) { runner.BeginBusy(); }
        ~BusyScope() { runner.EndBusy(); }
    } busy(*this);
    return operations_.run(request, buffer);
}

} // namespace zelko6
