// The real program as separate processes: what it prints without a display, and a second start,
// which ends at once and brings the first one's window forward.

#include "core/base/Version.h"
#include "support/TestSupport.h"
#include "support/Waiting.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

using namespace zelko6::test;

TEST(Processes, WithoutADisplayTheProgramAnswersOrEndsWithAMessageButNeverAborts)
{
    QTemporaryDir runtime, config;
    const struct {
        QStringList arguments;
        QMap<QString, QString> environment;
        int code;
        QString out; // contained in standard output
        QString err; // contained in standard error
    } cases[] = {
        {{"--help"}, {{"LANG", "C"}}, 0, "Usage: zelko6 [-h | --help | --version]", ""},
        {{"-h"}, {{"LANG", "ja_JP.UTF-8"}}, 0, "使い方: zelko6", ""},
        {{"--version"}, {}, 0, "zelko6 " + zelko6::versionText() + "\n", ""},
        {{}, {{"LANG", "C"}}, 1, "", "no display to open the window on (xcb: DISPLAY is not set; wayland:"},
        {{"-platform", "xcb"},
         {{"LANG", "ja_JP.UTF-8"}, {"WAYLAND_DISPLAY", "wayland-0"}},
         1,
         "",
         "ウィンドウを開くディスプレイがありません (xcb: DISPLAY が設定されていません)"},
        // A display named but not there, and a plugin that does not exist: Qt gives up on both.
        {{}, {{"DISPLAY", ":987"}}, 1, "", "could not connect to display"},
        {{}, {{"QT_QPA_PLATFORM", "nosuchplatform"}}, 1, "", "ending, the window system cannot be used"},
    };
    for (const auto &c : cases) {
        QProcessEnvironment env; // nothing from this session: no display
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.insert("XDG_CONFIG_HOME", config.path());
        for (auto variable = c.environment.begin(); variable != c.environment.end(); ++variable)
            env.insert(variable.key(), variable.value());
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(binaryPath(QStringLiteral("zelko6")), c.arguments);
        program.waitForFinished(30000);
        const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(program.readAllStandardError());
        const std::string label = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << label; // no abort, no core dump
        EXPECT_EQ(program.exitCode(), c.code) << label;
        EXPECT_TRUE(out.contains(c.out)) << label << ": " << out.toStdString();
        EXPECT_TRUE(err.contains(c.err)) << label << ": " << err.toStdString();
    }
}

TEST(Processes, ASecondStartEndsAtOnceAndBringsTheFirstWindowForward)
{
    QTemporaryDir runtime, config;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("XDG_CONFIG_HOME", config.path());
    // The first instance says when a later start has asked for its window.
    env.insert("QT_LOGGING_RULES", "zelko6.instance.info=true");
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
    ASSERT_TRUE(QFile::exists(runtime.path() + "/zelko6.socket"));

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(exe, {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    QByteArray said;
    EXPECT_TRUE(waitUntil("the first instance saying it brought its window forward", [&] {
        said += first.readAllStandardError();
        return said.contains("zelko6.instance: a later start asked for the main window: brought forward");
    })) << said.toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished(5000);
}
