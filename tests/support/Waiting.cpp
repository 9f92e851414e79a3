#include "support/Waiting.h"

#include <QDeadlineTimer>
#include <QTest>
#include <algorithm>
#include <thread>

namespace zelko6::test {

::testing::AssertionResult waitUntil(const char *what, const std::function<bool()> &done,
                                     std::chrono::milliseconds limit, WhileWaiting mode)
{
    const QDeadlineTimer deadline(limit);
    bool happened =
        mode == WhileWaiting::RunEvents ? QTest::qWaitFor(done, static_cast<int>(limit.count())) : done();
    // A held thread sleeps between looks: it must neither run its events nor spin a core that the
    // code under test needs. (Its events ran out the deadline already when they were let run.)
    for (; !happened && !deadline.hasExpired(); happened = done())
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
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

} // namespace zelko6::test
