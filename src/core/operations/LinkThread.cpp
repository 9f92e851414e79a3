#include "core/operations/LinkThread.h"

#include "core/programmer/Pump.h"

#include <QEventLoop>
#include <QSemaphore>

namespace zelko6 {

namespace {
// How often a wait for the face looks whether the operation was asked to stop meanwhile.
constexpr int kFaceWaitSliceMs = 50;
} // namespace

// Qt's queued calls and semaphores order what they carry with locks of their own, which a
// ThreadSanitizer build cannot see (Qt itself is not built with it). Every hand-over between the
// face's thread and the link's is announced and accepted here, so that the sanitizer sees the order
// the queue really gives and reports only what is not ordered.
#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void *address);
extern "C" void __tsan_release(void *address);
static void announce(void *token)
{
    __tsan_release(token);
}
static void accept(void *token)
{
    __tsan_acquire(token);
}
#else
static void announce(void *) {}
static void accept(void *) {}
#endif

// Runs `work` on `context`'s thread, the hand-over announced in both directions.
template <typename Work>
static void handOver(QObject *context, void *token, Work work, Qt::ConnectionType type)
{
    announce(token);
    QMetaObject::invokeMethod(
        context,
        [token, work = std::move(work)]() mutable {
            accept(token);
            work();
            announce(token);
        },
        type);
    if (type == Qt::BlockingQueuedConnection)
        accept(token);
}

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
    Bridge(QObject &face, void *token, EventSink &sink) : face_(face), token_(token), sink_(sink) {}
    void watch(const DeviceOperations *operations) { operations_ = operations; }

    void report(const StatusEvent &event) override
    {
        EventSink *sink = &sink_;
        if (!faceActsBeforeGoingOn(event)) {
            handOver(
                &face_, token_, [sink, event] { sink->report(event); }, Qt::QueuedConnection);
            return;
        }
        const auto handled = std::make_shared<QSemaphore>();
        void *token = token_;
        handOver(
            &face_, token_,
            [sink, event, handled, token] {
                sink->report(event);
                announce(token); // before the release the link's thread waits for
                handled->release();
            },
            Qt::QueuedConnection);
        while (!handled->tryAcquire(1, kFaceWaitSliceMs))
            if (operations_ && operations_->abortRequested())
                return;
        accept(token_);
    }

  private:
    QObject &face_;
    void *token_;
    EventSink &sink_;
    const DeviceOperations *operations_ = nullptr;
};

LinkThread::LinkThread(LinkFactory makeLink, EventSink &events)
    : bridge_(std::make_unique<Bridge>(*this, &handOverToken_, events))
{
    thread_.setObjectName(QStringLiteral("zelko6-link"));
    worker_.moveToThread(&thread_);
    thread_.start();
    handOver(
        &worker_, &handOverToken_,
        [this, makeLink = std::move(makeLink)] {
            link_ = std::make_unique<Link>(makeLink(), *bridge_);
            bridge_->watch(&link_->operations);
        },
        Qt::BlockingQueuedConnection);
}

LinkThread::~LinkThread()
{
    requestAbort();
    // The link's objects were made on its thread and are destroyed there (the port closes first).
    handOver(
        &worker_, &handOverToken_, [this] { link_.reset(); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

template <typename Result>
void LinkThread::post(std::function<Result()> work, std::function<void(const Result &)> then)
{
    handOver(
        &worker_, &handOverToken_,
        [this, work = std::move(work), then = std::move(then)] {
            const Result result = work();
            const LinkState record = link_->operations.linkState();
            // Queued behind every event the work reported: the outcome comes last.
            handOver(
                this, &handOverToken_,
                [this, result, record, then] {
                    record_ = record;
                    then(result);
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
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
    handOver(
        &worker_, &handOverToken_, [this, flag] { link_->operations.watchAbortFlag(flag); },
        Qt::BlockingQueuedConnection);
}

bool LinkThread::portOpen()
{
    bool open = false;
    handOver(
        &worker_, &handOverToken_, [this, &open] { open = link_->port->isOpen(); },
        Qt::BlockingQueuedConnection);
    return open;
}

} // namespace zelko6
