#pragma once
// The pump: what drives the link's thread through an operation. It pauses the thread to pace the
// board, runs the thread's own events while a wait for the board idles (a received byte is one of
// them), and keeps the time. Nothing else is pumped: the window has a thread of its own. Tests
// replace it with a fake clock so a 30-second time-out costs no real time.

#include <QElapsedTimer>
#include <QTimer>
#include <chrono>

namespace zelko6 {

class Pump {
  public:
    virtual ~Pump() = default;
    // The calling thread does nothing for that long; pacing the board after a lead-in or record.
    virtual void pause(std::chrono::milliseconds duration) = 0;
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
    void idleWait(std::chrono::milliseconds longest) override;
    double clock() override;

  private:
    QElapsedTimer elapsed_;
    QTimer wakeUp_; // ends an idle wait when nothing else does
};

} // namespace zelko6
