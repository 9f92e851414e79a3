// The real program as separate processes: a second start ends at once and leaves the first alone.

#include "support/TestSupport.h"
#include "support/Waiting.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

using namespace zelko6::test;

TEST(Processes, ASecondStartEndsSilentlyWhileTheFirstKeepsRunning)
{
    QTemporaryDir runtime, config;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("XDG_CONFIG_HOME", config.path());
    const QString exe = binaryPath(QStringLiteral("zelko6"));
    ASSERT_TRUE(QFile::exists(exe));

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(exe, {});
    ASSERT_TRUE(first.waitForStarted(10000));
    // The first instance is up once it holds the lock and has chosen its chip.
    ASSERT_TRUE(waitUntil("the first instance's settings file",
                          [&] { return QFile::exists(config.path() + "/ZELKO6/ZELKO6.conf"); }));
    ASSERT_TRUE(QFile::exists(runtime.path() + "/zelko6.lock"));

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(exe, {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished(5000);
}
