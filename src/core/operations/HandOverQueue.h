#pragma once
// Runs functions on the thread this object lives on, in the order they were handed over. The
// functions travel in a queue of our own under a standard mutex; Qt's event queue carries only the
// wake-up. So what a function captured is handed over in an order every thread checker can see,
// not only in fact (Qt's own locks are invisible to a ThreadSanitizer build).

#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

namespace zelko6 {

class HandOverQueue final : public QObject {
    Q_OBJECT
  public:
    // Whether a function may start while another one of this queue waits in an event loop of its
    // own. The link's waits run its thread's events: a function arriving meanwhile (the end of the
    // link itself, say) must wait its turn, or it would pull the link from under the running one.
    enum class WhileOneWaits { RunNext, Wait };
    explicit HandOverQueue(WhileOneWaits whileOneWaits = WhileOneWaits::RunNext);

    // Queued: returns at once. Functions handed over from one thread run in that order.
    void post(std::function<void()> work);
    // Blocks until `work` has run on this object's thread; what it wrote is then seen here. Never
    // from this object's own thread.
    void call(std::function<void()> work);

  private:
    Q_INVOKABLE void runPending();

    const WhileOneWaits whileOneWaits_;
    bool running_ = false; // only touched on this object's thread
    std::mutex mutex_;
    std::deque<std::function<void()>> pending_;
};

} // namespace zelko6
