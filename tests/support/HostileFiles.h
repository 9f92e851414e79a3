#pragma once
// Files that hang a careless reader: a FIFO nobody writes to, a symbolic link to /dev/zero, a file
// longer than any image. A reader blocked on the FIFO fails its test rather than hanging it.
// FIFOs and device files are Linux's (HostileFiles_linux.cpp); Windows has neither to make
// (HostileFiles_windows.cpp), and the tests that need them say so and skip there.

#include <QDir>
#include <QFile>
#include <QString>
#include <functional>

namespace zelko6::test {

// Whether this system has FIFOs and a device that never ends (/dev/zero) for the tests to use.
bool systemHasHostileFiles();

bool makeFifo(const QString &path);

// A symbolic link to /dev/zero named `name` in `folder`; empty when it could not be made.
QString endlessFileIn(const QDir &folder, const QString &name);

// A regular file of zero bytes that takes no room on the disk.
inline bool makeSparseFile(const QString &path, qint64 length)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.resize(length);
}

// Runs `work`: true when it ends by itself; false when, still running after a generous deadline,
// it was blocked on the FIFO and a writer opening it had to let it go.
bool endsWithoutAWriter(const QString &fifo, const std::function<void()> &work);

// Why a test of such files does not run here.
inline constexpr char kNoHostileFiles[] = "this system has no FIFOs or endless device files to read";

} // namespace zelko6::test
