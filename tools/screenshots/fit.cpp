// A picture of the whole screen just after the window has started on it, for a person to see how
// it fits: the grid with all its columns and the status bar on the screen. Run on a real window
// system (scripts/screenshot-fit.sh starts a virtual X server of a laptop's size, at 100 % and
// 125 %); the board window, which would cover part of the grid there, is put away first.
// Run: zelko6-fit-screenshot PROGRAM_FOLDER OUTPUT.png [CHIP]

#include "ScreenshotProgram.h"
#include "core/base/Settings.h"
#include "core/devices/DeviceFile.h"
#include "gui/Application.h"
#include "gui/BoardWindow.h"
#include "gui/Fonts.h"
#include "gui/GuardedApplication.h"
#include "gui/MainWindow.h"
#include "gui/ProgramIdentity.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cstdio>

using namespace zelko6;
using zelko6::screenshots::ScreenshotProgram;

namespace {

// Lets the window system map and paint what was shown.
void settle()
{
    QEventLoop loop;
    QTimer::singleShot(500, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char **argv)
{
    GuardedApplication qtApp(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3 || args.size() > 4) {
        std::fprintf(stderr, "usage: zelko6-fit-screenshot PROGRAM_FOLDER OUTPUT.png [CHIP]\n");
        return 1;
    }
    applyProgramIdentity();
    qtApp.setQuitOnLastWindowClosed(false);
    installFontSubstitutions();
    const QString programFolder = QFileInfo(args[1]).absoluteFilePath();

    ScreenshotProgram program(programFolder);
    if (args.size() == 4) {
        // Chosen before the start, as if chosen in an earlier run: start-up then ends as usual.
        const DeviceFileContents catalogue = readDeviceFile(programFolder + QStringLiteral("/zelko6.ini"));
        int chip = -1;
        for (int r = 0; r < std::min(catalogue.DeviceCount, kDeviceRows) && chip < 0; ++r)
            if (deviceListEntry(catalogue.table.row(r)).startsWith(args[3] + u' '))
                chip = r;
        if (chip < 0) {
            std::fprintf(stderr, "zelko6-fit-screenshot: no chip %s in the catalogue\n", qPrintable(args[3]));
            return 1;
        }
        program.settings().setInt(keys::DUT, chip);
    }
    MainWindow *started = program.start();
    if (!started)
        return 2;
    MainWindow &main = *started;
    if (BoardWindow *board = program.app().boardWindow())
        board->hide();
    settle();
    QScreen *screen = main.screen();
    if (!screen->grabWindow(0).save(args[2]))
        return 2;
    const QRect frame = main.frameGeometry();
    std::printf("%s: screen %dx%d at %.0f%%, window %dx%d at %d,%d\n", qPrintable(args[2]),
                screen->geometry().width(), screen->geometry().height(), screen->devicePixelRatio() * 100,
                frame.width(), frame.height(), frame.x(), frame.y());
    return 0;
}
