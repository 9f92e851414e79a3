#pragma once
// Files that hang a careless reader: a FIFO nobody writes to, a symbolic link to /dev/zero, a file
// longer than any image. A reader blocked on the FIFO fails its test rather than hanging it.

#include <QDir>
#include <QFile>
#include <QString>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace zelko6::test {

inline bool makeFifo(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

inline QString endlessFileIn(const QDir &folder, const QString &name)
{
    const QString path = folder.filePath(name);
    return QFile::link(QStringLiteral("/dev/zero"), path) ? path : QString();
}

// A regular file of zero bytes that takes no room on the disk.
inline bool makeSparseFile(const QString &path, qint64 length)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.resize(length);
}

// Runs `work`: true when it ends by itself; false when, still running after a generous deadline,
// it was blocked on the FIFO and a writer opening it had to let it go.
inline bool endsWithoutAWriter(const QString &fifo, const std::function<void()> &work)
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
