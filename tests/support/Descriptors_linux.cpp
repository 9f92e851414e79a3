#include "support/Waiting.h"

#include <QDeadlineTimer>
#include <algorithm>
#include <poll.h>
#include <unistd.h>

namespace zelko6::test {

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
