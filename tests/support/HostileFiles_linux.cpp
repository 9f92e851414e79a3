#include "support/HostileFiles.h"

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace zelko6::test {

bool systemHasHostileFiles()
{
    return true;
}

bool makeFifo(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

QString endlessFileIn(const QDir &folder, const QString &name)
{
    const QString path = folder.filePath(name);
    return QFile::link(QStringLiteral("/dev/zero"), path) ? path : QString();
}

bool endsWithoutAWriter(const QString &fifo, const std::function<void()> &work)
{
    std::promise<void> done;
    std::future<void> ended = done.get_future();
    bool released = false;
    std::thread watchdog([&] {
        auto wait = std::chrono::seconds(30);
        while (ended.wait_for(wait) != std::future_status::ready) {
            released = true;
            const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
            wait = std::chrono::seconds(1);
        }
    });
    work();
    done.set_value();
    watchdog.join();
    return !released;
}

} // namespace zelko6::test
