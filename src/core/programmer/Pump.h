#pragma once
// Time as the link sees it: a blocking pause, a yield to the window's events, an idle wait that
// sleeps until something happens, and a monotonic clock. Tests replace it with a fake clock so a
// 30-second time-out costs no real time.

#include <QElapsedTimer>
#include <QTimer>
#include <chrono>

namespace zelko6 {

class Pump {
  public:
    virtual ~Pump() = default;
    // The calling thread does nothing for that long; pacing the board after a lead-in or record.
    virtual void pause(std::chrono::milliseconds duration) = 0;
    // Where the operation lets the window's pending events in, then goes on at once. (On the
    // link's own thread there are none: the window runs on its thread all the time.)
    virtual void yield() = 0;
    // Blocks until at least one of the thread's events arrives (a received byte among them) or
    // `longest` has passed. Waits for the board use this so that they never spin a core.
    virtual void idleWait(std::chrono::milliseconds longest) = 0;
    // Seconds since an arbitrary start, with a fraction; never goes backwards.
    virtual double clock() = 0;
};

// The real pump on the thread's event loop.
class QtPump final : public Pump {
  public:
    QtPump();
    void pause(std::chrono::milliseconds duration) override;
    void yield() override;
    void idleWait(std::chrono::milliseconds longest) override;
    double clock() override;

  private:
    QElapsedTimer elapsed_;
    QTimer wakeUp_; // ends an idle wait when nothing else does
};

} // namespace zelko6
