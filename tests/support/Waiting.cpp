#include "support/Waiting.h"

#include <QDeadlineTimer>
#include <QTest>
#include <algorithm>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace zelko6::test {

namespace {

// How often a held thread looks again. Sleeping between looks is the point of holding: the thread
// must not run its events, and it must not spin a core the code under test needs.
constexpr std::chrono::milliseconds kHeldLookInterval{5};

bool holdUntil(const std::function<bool()> &done, std::chrono::milliseconds limit)
{
    const QDeadlineTimer deadline(limit);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        std::this_thread::sleep_for(kHeldLookInterval);
    }
    return true;
}

} // namespace

::testing::AssertionResult waitUntil(const char *what, const std::function<bool()> &done,
                                     std::chrono::milliseconds limit, WhileWaiting mode)
{
    const bool happened = mode == WhileWaiting::Hold ? holdUntil(done, limit)
                                                     : QTest::qWaitFor(done, static_cast<int>(limit.count()));
    if (happened)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "still waiting for " << what << " after " << limit.count() << " ms";
}

::testing::AssertionResult staysFalse(const char *what, const std::function<bool()> &happened,
                                      std::chrono::milliseconds stretch)
{
    // The stretch passes in full unless the thing happens: here the passing time is what is tested.
    if (QTest::qWaitFor(happened, static_cast<int>(stretch.count())))
        return ::testing::AssertionFailure() << what << " within " << stretch.count() << " ms";
    return ::testing::AssertionSuccess();
}

QByteArray receiveFrom(int fd, qsizetype wanted, std::chrono::milliseconds limit)
{
    QByteArray got;
    const QDeadlineTimer deadline(limit);
    pollfd ready{fd, POLLIN, 0};
    while (got.size() < wanted && ::poll(&ready, 1, static_cast<int>(deadline.remainingTime())) > 0 &&
           (ready.revents & POLLIN)) {
        char buf[4096];
        const ssize_t n =
            ::read(fd, buf, static_cast<size_t>(std::min<qsizetype>(wanted - got.size(), sizeof buf)));
        if (n <= 0)
            break;
        got.append(buf, n);
    }
    return got;
}

} // namespace zelko6::test
