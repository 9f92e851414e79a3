// The window's command line and the display check, read before any window system is touched.

#include "gui/StartArguments.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelko6;

TEST(StartArguments, HelpAndVersionAreOursBeforeTheEndOfOptionsAndEverythingElseIsQts)
{
    const std::pair<QStringList, StartRequest> cases[] = {
        {{}, StartRequest::Window},
        {{"-platform", "offscreen", "--version"}, StartRequest::Version},
        {{"-style", "fusion", "-session", "abc"}, StartRequest::Window},
        {{"--", "--help"}, StartRequest::Window},
        {{"-help"}, StartRequest::Window},
    };
    for (const auto &[arguments, expected] : cases)
        EXPECT_EQ(startRequest(arguments), expected) << arguments.join(u' ').toStdString();
}

TEST(StartArguments, AWindowNeedsADisplayForXcbOrACompositorForWaylandOnThePlatformsQtWillTry)
{
    QTemporaryDir runtime;
    const QByteArray runtimePath = QFile::encodeName(runtime.path());
    QFile socket(runtime.filePath(QStringLiteral("wayland-1")));
    ASSERT_TRUE(socket.open(QIODevice::WriteOnly)); // a compositor's socket, as far as a check can tell
    socket.close();

    const struct {
        QStringList arguments;
        QMap<QByteArray, QByteArray> environment;
        bool can;
    } cases[] = {
        {{}, {}, false}, // the session's xcb and Wayland, neither there
        {{}, {{"DISPLAY", ":0"}}, true},
        {{}, {{"WAYLAND_DISPLAY", "wayland-1"}, {"XDG_RUNTIME_DIR", runtimePath}}, true},
        {{}, {{"WAYLAND_DISPLAY", "wayland-2"}, {"XDG_RUNTIME_DIR", runtimePath}}, false},
        {{}, {{"XDG_RUNTIME_DIR", runtimePath}}, false}, // no wayland-0 there
        {{}, {{"WAYLAND_DISPLAY", runtimePath + "/wayland-1"}}, true},
        {{}, {{"QT_QPA_PLATFORM", "offscreen:configfile=/tmp/s.json"}}, true},
        {{}, {{"QT_QPA_PLATFORM", "wayland-egl;xcb"}, {"DISPLAY", ":0"}}, true},
        {{"--platform", "xcb"}, {{"WAYLAND_DISPLAY", "wayland-1"}, {"XDG_RUNTIME_DIR", runtimePath}}, false},
        {{"-platform", "vnc:size=800x600"}, {{"QT_QPA_PLATFORM", "xcb"}}, true}, // the command line wins
        {{"-platform"}, {{"QT_QPA_PLATFORM", "xcb"}}, false}, // no name given: the environment's stands
    };
    for (const auto &c : cases) {
        const auto environment = [&c](const char *name) { return c.environment.value(name); };
        EXPECT_EQ(canOpenWindows(platformsToTry(c.arguments, environment), environment), c.can)
            << c.arguments.join(u' ').toStdString() << " / " << c.environment.keys().join(' ').toStdString();
    }
}
