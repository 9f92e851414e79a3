#include "core/base/ProgramFolder.h"
#include "core/base/Version.h"
#include "gui/Application.h"
#include "gui/Fonts.h"
#include "gui/GuardedApplication.h"
#include "gui/QtPlatform.h"
#include "gui/StepReport.h"

int main(int argc, char **argv)
{
    zelko6::GuardedApplication qtApp(argc, argv);
    qtApp.setApplicationName(zelko6::kAppTitle);
    qtApp.setApplicationVersion(zelko6::versionText());
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
