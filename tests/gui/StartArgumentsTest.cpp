// The window's command line and the display check that come before any window system.

#include "gui/StartArguments.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelko6;

namespace {

Environment from(const QMap<QByteArray, QByteArray> &variables)
{
    return [variables](const char *name) { return variables.value(name); };
}

} // namespace

TEST(StartArguments, HelpAndVersionAreFoundBeforeTheEndOfOptionsAndQtOptionsPassThrough)
{
    const std::pair<QStringList, StartRequest> cases[] = {
        {{}, StartRequest::Window},
        {{"--help"}, StartRequest::Help},
        {{"-h"}, StartRequest::Help},
        {{"-platform", "offscreen", "--version"}, StartRequest::Version},
        {{"-style", "fusion", "-session", "abc"}, StartRequest::Window},
        {{"--", "--help"}, StartRequest::Window},
        {{"-help"}, StartRequest::Window}, // not ours: Qt's to ignore
    };
    for (const auto &[arguments, expected] : cases)
        EXPECT_EQ(startRequest(arguments), expected) << arguments.join(u' ').toStdString();
}

TEST(StartArguments, ThePlatformsComeFromTheCommandLineTheEnvironmentOrTheSession)
{
    const struct {
        QStringList arguments;
        QByteArray environment;
        QStringList platforms;
    } cases[] = {
        {{}, "", {"xcb", "wayland"}},
        {{}, "offscreen:configfile=/tmp/s.json", {"offscreen"}},
        {{}, "wayland;xcb", {"wayland", "xcb"}},
        {{"-platform", "vnc:size=800x600"}, "xcb", {"vnc"}},
        {{"--platform", "xcb"}, "", {"xcb"}},
        {{"-platform"}, "offscreen", {"offscreen"}}, // a name missing: the environment's stands
    };
    for (const auto &c : cases)
        EXPECT_EQ(platformsToTry(c.arguments, from({{"QT_QPA_PLATFORM", c.environment}})), c.platforms)
            << c.arguments.join(u' ').toStdString() << " / " << c.environment.constData();
}

TEST(StartArguments, AWindowNeedsADisplayForXcbOrACompositorForWayland)
{
    QTemporaryDir runtime;
    const QByteArray runtimePath = QFile::encodeName(runtime.path());
    QFile socket(runtime.filePath(QStringLiteral("wayland-1")));
    ASSERT_TRUE(socket.open(QIODevice::WriteOnly)); // a compositor's socket, as far as a check can tell
    socket.close();

    const struct {
        QStringList platforms;
        QMap<QByteArray, QByteArray> environment;
        bool can;
    } cases[] = {
        {{"xcb", "wayland"}, {}, false},
        {{"xcb", "wayland"}, {{"DISPLAY", ":0"}}, true},
        {{"xcb"}, {{"WAYLAND_DISPLAY", "wayland-1"}, {"XDG_RUNTIME_DIR", runtimePath}}, false},
        {{"wayland"}, {{"WAYLAND_DISPLAY", "wayland-1"}, {"XDG_RUNTIME_DIR", runtimePath}}, true},
        {{"wayland"}, {{"WAYLAND_DISPLAY", "wayland-2"}, {"XDG_RUNTIME_DIR", runtimePath}}, false},
        {{"wayland"}, {{"XDG_RUNTIME_DIR", runtimePath}}, false}, // no wayland-0 there
        {{"wayland-egl"}, {{"WAYLAND_DISPLAY", runtimePath + "/wayland-1"}}, true},
        {{"offscreen"}, {}, true},
        {{}, {}, true}, // the system's own window system
    };
    for (const auto &c : cases)
        EXPECT_EQ(canOpenWindows(c.platforms, from(c.environment)), c.can)
            << c.platforms.join(u',').toStdString();
}
