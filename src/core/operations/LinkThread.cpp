#include "core/operations/LinkThread.h"

#include "core/programmer/Pump.h"

#include <QEventLoop>
#include <chrono>
#include <semaphore>

namespace zelko6 {

namespace {
// How often a wait for the face looks whether the operation was asked to stop meanwhile.
constexpr std::chrono::milliseconds kFaceWaitSlice{50};
} // namespace

struct LinkThread::Link {
    Link(std::unique_ptr<SerialLink> serial, EventSink &events)
        : port(std::move(serial)), operations(*port, pump, events)
    {
    }
    ~Link() { port->close(); }

    std::unique_ptr<SerialLink> port;
    QtPump pump;
    DeviceOperations operations;
};

// On the link's thread: hands each event to the face's thread, in order. Where the face must act
// first (the firmware warning, showing what was read) it waits for the face, but never past a
// request to stop: an operation asked to end must not hang on a window that is going away.
class LinkThread::Bridge final : public EventSink {
  public:
    Bridge(HandOverQueue &face, EventSink &sink) : face_(face), sink_(sink) {}
    void watch(const DeviceOperations *operations) { operations_ = operations; }

    void report(const StatusEvent &event) override
    {
        EventSink *sink = &sink_;
        if (!faceActsBeforeGoingOn(event)) {
            face_.post([sink, event] { sink->report(event); });
            return;
        }
        const auto handled = std::make_shared<std::binary_semaphore>(0);
        face_.post([sink, event, handled] {
            sink->report(event);
            handled->release();
        });
        while (!handled->try_acquire_for(kFaceWaitSlice))
            if (operations_ && operations_->abortRequested())
                return;
    }

  private:
    HandOverQueue &face_;
    EventSink &sink_;
    const DeviceOperations *operations_ = nullptr;
};

LinkThread::LinkThread(LinkFactory makeLink, EventSink &events)
    : bridge_(std::make_unique<Bridge>(toFace_, events))
{
    thread_.setObjectName(QStringLiteral("zelko6-link"));
    toLink_.moveToThread(&thread_);
    thread_.start();
    toLink_.call([this, makeLink = std::move(makeLink)] {
        link_ = std::make_unique<Link>(makeLink(), *bridge_);
        bridge_->watch(&link_->operations);
    });
}

LinkThread::~LinkThread()
{
    requestAbort();
    // The link's objects were made on its thread and are destroyed there (the port closes first).
    toLink_.call([this] { link_.reset(); });
    thread_.quit();
    thread_.wait();
}

template <typename Result>
void LinkThread::post(std::function<Result()> work, std::function<void(const Result &)> then)
{
    toLink_.post([this, work = std::move(work), then = std::move(then)] {
        const Result result = work();
        // Queued behind every event the work reported: the outcome comes last.
        toFace_.post([result, then] { then(result); });
    });
}

void LinkThread::start(const OperationRequest &request, MemoryBuffer &buffer, OperationDone done)
{
    // Cleared here, before the operation is queued: a stop asked for from now on is not lost.
    link_->operations.clearAbort();
    MemoryBuffer *handedOver = &buffer;
    post<OperationOutcome>(
        [this, request, handedOver] { return link_->operations.run(request, *handedOver); }, std::move(done));
}

void LinkThread::startIdentify(const PortSettings &port, std::function<void(const CheckOutcome &)> done)
{
    link_->operations.clearAbort();
    post<CheckOutcome>([this, port] { return link_->operations.identify(port); }, std::move(done));
}

void LinkThread::requestAbort()
{
    link_->operations.requestAbort();
}

OperationOutcome LinkThread::run(const OperationRequest &request, MemoryBuffer &buffer)
{
    OperationOutcome outcome;
    QEventLoop loop;
    start(request, buffer, [&](const OperationOutcome &result) {
        outcome = result;
        loop.quit();
    });
    loop.exec();
    return outcome;
}

CheckOutcome LinkThread::identify(const PortSettings &port)
{
    CheckOutcome outcome;
    QEventLoop loop;
    startIdentify(port, [&](const CheckOutcome &result) {
        outcome = result;
        loop.quit();
    });
    loop.exec();
    return outcome;
}

void LinkThread::watchAbortFlag(const std::atomic<bool> *flag)
{
    toLink_.call([this, flag] { link_->operations.watchAbortFlag(flag); });
}

bool LinkThread::portOpen()
{
    bool open = false;
    toLink_.call([this, &open] { open = link_->port->isOpen(); });
    return open;
}

} // namespace zelko6
