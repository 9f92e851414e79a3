// Start-up, chip selection, full grid refresh and one byte edit on the largest buffer, through the
// real main window (offscreen platform unless a display is given).

#include "BenchSupport.h"
#include "gui/Application.h"
#include "gui/ByteEditorPanel.h"
#include "gui/Desktop.h"
#include "gui/Fonts.h"
#include "gui/GuardedApplication.h"
#include "gui/MainWindow.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

using namespace zelko6;
using bench::NoShell;
using bench::SilentBoxes;

namespace {

template <typename F> std::vector<double> timeRuns(int runs, F &&work)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work(i);
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms;
}

void report(const char *what, const std::vector<double> &ms, double goal)
{
    std::printf("%-46s best %8.3f ms  median %8.3f ms  (goal <= %.0f ms)\n", what, ms.front(),
                ms[ms.size() / 2], goal);
}

} // namespace

int main(int argc, char **argv)
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
    const double startupMs = startup.nsecsElapsed() / 1e6;
    std::printf("%-46s %8.3f ms  (goal <= 300 ms)\n", "start-up to the main window shown", startupMs);

    MainWindow &main = *app.mainWindow();
    auto *devices = main.findChild<QComboBox *>(QStringLiteral("Combo_device"));
    int largest = 0;
    for (int i = 0; i < devices->count(); ++i)
        if (devices->itemText(i).startsWith(QStringLiteral("24C1024")))
            largest = i;
    report("select the 128 KiB chip (end to end)",
           timeRuns(9, [&](int i) { main.selectDevice(i % 2 ? 0 : largest); }), 100);
    main.selectDevice(largest);
    if (app.state().BufData.size() != (1u << 17))
        return 2;
    report("RefreshGrid of 2^17 bytes (grid, dump, checksum)", timeRuns(15, [&](int) { main.RefreshGrid(); }),
           50);

    auto *hex = main.findChild<QLineEdit *>(QStringLiteral("Text_modify_hex"));
    main.editor().MSFGrid1_Click();
    report("one byte edit through the hex box (checksum incl.)",
           timeRuns(200, [&](int i) { hex->setText(i % 2 ? QStringLiteral("12") : QStringLiteral("A5")); }),
           2);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%-46s %8.1f MiB  (goal <= 80 MiB)\n", "peak resident memory with the largest chip",
                usage.ru_maxrss / 1024.0);
    return 0;
}
