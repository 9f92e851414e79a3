// The atomic save when the system stops a write part way. A file-size limit (a POSIX resource
// limit, hence Linux only) does that as a full disk would.

#include "core/files/AtomicSave.h"

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace zelko6;

TEST(AtomicSave, AWriteThatStopsShortSaysWhyAndLeavesNothing)
{
    // A file-size limit stops a write part way as a full disk does: a short write first, the
    // system's reason only at the next one.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.bin"));
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const rlimit small{64 * 1024, previous.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SaveOutcome outcome = saveFileAtomically(path, QByteArray(300'000, 'x'));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, SIG_DFL);
    EXPECT_FALSE(outcome.saved);
    EXPECT_EQ(outcome.reason, QString::fromLocal8Bit(std::strerror(EFBIG)));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}
