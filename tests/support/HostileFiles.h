#pragma once
// Files that hang a careless reader, made in a test's folder: a FIFO nobody writes to, a symbolic
// link to /dev/zero under an image file's name, a file longer than any image. A reader that does
// block on the FIFO makes the test fail rather than hang: after a generous deadline a writer opens
// and closes the FIFO, which lets the reader go on.

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

// A symbolic link `name` in `folder` to /dev/zero, a file that never ends.
inline QString endlessFileIn(const QDir &folder, const QString &name)
{
    const QString path = folder.filePath(name);
    return QFile::link(QStringLiteral("/dev/zero"), path) ? path : QString();
}

// A regular file of `length` zero bytes that takes no room on the disk.
inline bool makeSparseFile(const QString &path, qint64 length)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.resize(length);
}

// Runs `work`, which may open the FIFO for reading. True when it ended by itself; false when it was
// still running after the deadline, blocked on the FIFO, and a writer had to let it go.
inline bool endsWithoutAWriter(const QString &fifo, const std::function<void()> &work)
{
    std::promise<void> done;
    std::future<void> ended = done.get_future();
    bool released = false;
    std::thread watchdog([&] {
        auto wait = std::chrono::seconds(30);
        while (ended.wait_for(wait) != std::future_status::ready) {
            released = true;
            // Succeeds only while a reader is waiting: then its open, or its read, comes back.
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
