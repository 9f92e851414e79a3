#include "core/operations/HandOverQueue.h"

namespace zelko6 {

void HandOverQueue::post(std::function<void()> work)
{
    {
        const std::lock_guard lock(mutex_);
        pending_.push_back(std::move(work));
    }
    QMetaObject::invokeMethod(this, "runNext", Qt::QueuedConnection);
}

void HandOverQueue::call(std::function<void()> work)
{
    {
        const std::lock_guard lock(mutex_);
        pending_.push_back(std::move(work));
    }
    QMetaObject::invokeMethod(this, "runNext", Qt::BlockingQueuedConnection);
    // Taken after the work let go of it: what the work wrote is ordered before what follows here.
    const std::lock_guard lock(mutex_);
}

void HandOverQueue::runNext()
{
    std::function<void()> work;
    {
        const std::lock_guard lock(mutex_);
        if (pending_.empty())
            return;
        work = std::move(pending_.front());
        pending_.pop_front();
    }
    work();
    // Released after the work, for a caller that waits for it in call().
    const std::lock_guard lock(mutex_);
}

} // namespace zelko6
