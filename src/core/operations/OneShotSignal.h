#pragma once
// One thread tells another, once, that something has happened; what the first wrote before
// release() is seen by the second after acquire(). A mutex and a condition variable rather than
// std::binary_semaphore: the C++ library of MinGW-w64 (GCC 12) builds the semaphore on an atomic
// wait that can miss its wake-up and sleep for ever, which hung the window's calls to the link's
// thread on Windows.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace zelko6 {

class OneShotSignal {
  public:
    void release()
    {
        {
            const std::lock_guard lock(mutex_);
            released_ = true;
        }
        releasedChanged_.notify_all();
    }

    void acquire()
    {
        std::unique_lock lock(mutex_);
        releasedChanged_.wait(lock, [this] { return released_; });
    }

    // Whether it was released within `limit`.
    bool tryAcquireFor(std::chrono::milliseconds limit)
    {
        std::unique_lock lock(mutex_);
        return releasedChanged_.wait_for(lock, limit, [this] { return released_; });
    }

  private:
    std::mutex mutex_;
    std::condition_variable releasedChanged_;
    bool released_ = false;
};

} // namespace zelko6
