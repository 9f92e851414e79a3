#include "core/base/ProgramFolder.h"
#include "core/base/Version.h"
#include "gui/Application.h"
#include "gui/Fonts.h"
#include "gui/GuardedApplication.h"
#include "gui/ProgramIdentity.h"
#include "gui/QtPlatform.h"
#include "gui/StartArguments.h"
#include "gui/StepReport.h"

int main(int argc, char **argv)
{
    // The usage, the version and a missing display are answered before the window system is
    // touched: Qt can only abort when it finds no display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const zelko6::StartRequest request = zelko6::startRequest(arguments);
    const QStringList platforms =
        zelko6::platformsToTry(arguments, [](const char *name) { return qgetenv(name); });
    if (request != zelko6::StartRequest::Window ||
        !zelko6::canOpenWindows(platforms, [](const char *name) { return qgetenv(name); }))
        return zelko6::answerWithoutWindow(request, platforms, argc, argv);

    zelko6::endFatalFailuresWithoutAbort();
    zelko6::GuardedApplication qtApp(argc, argv);
    zelko6::applyProgramIdentity();
    qtApp.setQuitOnLastWindowClosed(false); // the main window's closing alone ends the program
    zelko6::installFontSubstitutions();

    zelko6::QtSettingsStore settings;
    const QString programFolder = QCoreApplication::applicationDirPath();
    zelko6::QtMessageBoxes boxes;
    zelko6::DesktopShell shell;
    zelko6::Application app(settings, boxes, shell,
                            {programFolder, zelko6::defaultInstanceLockPath(), programFolder});
    qtApp.setFailureReporter([&](const QString &description) {
        boxes.show(zelko6::BoxIcon::Error, zelko6::BoxButtons::Ok, zelko6::kAppTitle,
                   zelko6::stepReportText(description, app.state().StepNo));
    });
    app.setQuitHandler([] { QCoreApplication::exit(0); });
    if (!app.Main())
        return 0;
    return qtApp.exec();
}
