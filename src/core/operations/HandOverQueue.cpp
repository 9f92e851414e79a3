#include "core/operations/HandOverQueue.h"

#include "core/operations/OneShotSignal.h"

#include <memory>

namespace zelko6 {

HandOverQueue::HandOverQueue(WhileOneWaits whileOneWaits) : whileOneWaits_(whileOneWaits) {}

void HandOverQueue::post(std::function<void()> work)
{
    {
        const std::lock_guard lock(mutex_);
        pending_.push_back(std::move(work));
    }
    QMetaObject::invokeMethod(this, "runPending", Qt::QueuedConnection);
}

void HandOverQueue::call(std::function<void()> work)
{
    // Our own signal rather than a blocking queued call: the function may have to wait for the one
    // that runs now to end, and the signal orders what it wrote before what follows here.
    const auto ran = std::make_shared<OneShotSignal>();
    post([work = std::move(work), ran] {
        work();
        ran->release();
    });
    ran->acquire();
}

void HandOverQueue::runPending()
{
    if (running_ && whileOneWaits_ == WhileOneWaits::Wait)
        return; // the running one takes the rest when it ends
    const bool outermost = !running_;
    running_ = true;
    for (;;) {
        std::function<void()> work;
        {
            const std::lock_guard lock(mutex_);
            if (pending_.empty())
                break;
            work = std::move(pending_.front());
            pending_.pop_front();
        }
        work();
    }
    if (outermost)
        running_ = false;
}

} // namespace zelko6
