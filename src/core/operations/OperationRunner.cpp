#include "core/operations/OperationRunner.h"

namespace zelko6 {

OperationOutcome OperationRunner::run(const OperationRequest &request, MemoryBuffer &buffer)
{
    // Unlocked on every way out, a failure escaping the operation included.
    struct Busy {
        OperationRunner &runner;
        explicit Busy(OperationRunner &r) : runner(r)
        {
            runner.busy_ = true;
            runner.lock_.setOperationLock(true);
        }
        ~Busy()
        {
            runner.busy_ = false;
            runner.lock_.setOperationLock(false);
        }
    } busy(*this);
    return operations_.run(request, buffer);
}

} // namespace zelko6
