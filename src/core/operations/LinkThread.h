#pragma once
// The serial port and the device operations on a thread of their own. Every wait for the board
// blocks on that thread's own events, so nothing the window does (repainting after a drag, a
// relayout, a busy desktop) is added to the thousands of round trips of a block transfer. The
// face's thread only starts an operation with its arguments, hears its events in order, and takes
// its outcome.

#include "core/operations/HandOverQueue.h"
#include "core/operations/OperationRunner.h"
#include "core/programmer/SerialLink.h"

#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

namespace zelko6 {

class LinkThread final : public QObject, public OperationExecutor {
    Q_OBJECT
  public:
    using LinkFactory = std::function<std::unique_ptr<SerialLink>()>;

    // `makeLink` is called on the link's thread: the port lives there. `events` hears everything
    // the operations report, on the thread that makes this object, in the order it happened.
    LinkThread(LinkFactory makeLink, EventSink &events);
    // A running operation is asked to stop; the thread ends once it has.
    ~LinkThread() override;

    void start(const OperationRequest &request, MemoryBuffer &buffer, OperationDone done) override;
    void requestAbort() override;
    // The connection check alone; `done` gets its outcome.
    void startIdentify(const PortSettings &port, std::function<void(const CheckOutcome &)> done);

    // For a face that has nothing else to do meanwhile (the command line): starts, and runs the
    // calling thread's event loop until the outcome is in.
    OperationOutcome run(const OperationRequest &request, MemoryBuffer &buffer);
    CheckOutcome identify(const PortSettings &port);

    // A flag outside that stops operations like requestAbort and is never cleared here (a signal
    // handler sets it). Before the first operation.
    void watchAbortFlag(const std::atomic<bool> *flag);

    // Whether the port is open, asked on the link's thread (between operations).
    bool portOpen();

  private:
    struct Link;
    class Bridge;

    // Runs `work` on the link's thread, then `then` with its result on this object's thread.
    template <typename Result>
    void post(std::function<Result()> work, std::function<void(const Result &)> then);

    QThread thread_;
    HandOverQueue toLink_{HandOverQueue::WhileOneWaits::Wait}; // lives on thread_: runs everything done there
    HandOverQueue toFace_; // lives on this object's thread: events and outcomes arrive through it
    std::unique_ptr<Bridge> bridge_;
    std::unique_ptr<Link> link_; // made and destroyed on thread_
};

} // namespace zelko6
