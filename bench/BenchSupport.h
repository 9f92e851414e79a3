#pragma once
// Stand-ins for the message boxes and the shell, for benchmarks that run the real windows
// without anyone to answer a box or a viewer to open; the program started that way; timing.

#include "core/base/Settings.h"
#include "gui/Application.h"
#include "gui/Desktop.h"
#include "gui/Fonts.h"
#include "gui/GuardedApplication.h"
#include "gui/MainWindow.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace zelko6::bench {

class SilentBoxes final : public MessageBoxes {
  public:
    BoxAnswer show(BoxIcon, BoxButtons, const QString &, const QString &) override { return BoxAnswer::Ok; }
};

class NoShell final : public Shell {
  public:
    void open(const QString &) override {}
};

// Runs `work(i)` for i = 0 .. runs - 1 and returns the times in milliseconds, fastest first.
template <typename F> std::vector<double> timeRuns(int runs, F &&work)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work(i);
        ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms;
}

inline void report(const char *what, const std::vector<double> &ms, double goal)
{
    std::printf("%-46s best %8.3f ms  median %8.3f ms  (goal <= %.0f ms)\n", what, ms.front(),
                ms[ms.size() / 2], goal);
}

// Starts the program as a user does (offscreen unless there is a display), with settings and a
// program folder of its own holding the sample catalogue, and runs `bench` on it with the time
// start-up took. The exit code is bench's, or 1 when the program did not start.
inline int withProgram(int argc, char **argv,
                       const std::function<int(Application &, double startupMs)> &bench)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    GuardedApplication qtApp(argc, argv);
    installFontSubstitutions();
    QTemporaryDir programDir, settingsDir, runtimeDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    QFile::copy(QStringLiteral(ZELKO6_SOURCE_DIR "/data/zelko6.ini"), programDir.filePath("zelko6.ini"));

    QtSettingsStore store;
    SilentBoxes boxes;
    NoShell shell;
    Application app(store, boxes, shell, {programDir.path(), runtimeDir.filePath("zelko6.lock"), {}});
    QElapsedTimer startup;
    startup.start();
    if (!app.Main())
        return 1;
    return bench(app, static_cast<double>(startup.nsecsElapsed()) / 1e6);
}

// The entry of the catalogue's 128 KiB chip in the device list.
inline int largestChipEntry(const MainWindow &main)
{
    auto *devices = main.findChild<QComboBox *>(QStringLiteral("Combo_device"));
    for (int i = 0; i < devices->count(); ++i)
        if (devices->itemText(i).startsWith(QStringLiteral("24C1024")))
            return i;
    return 0;
}

} // namespace zelko6::bench
