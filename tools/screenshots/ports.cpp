// A picture of the port window as a user meets it with two boards plugged in: the list of ports,
// then "find the programmer" run to its end. The boards are whatever ports 1 and 2 resolve to
// (scripts/screenshot-ports.sh points them at two board simulators). Offscreen.
// Run: zelko6-port-screenshot OUTPUT.png [LANGUAGE [PROGRAM_FOLDER]]  (ja, the default, or en)

#include "core/base/Settings.h"
#include "core/programmer/SystemSerialLink.h"
#include "gui/Desktop.h"
#include "gui/Fonts.h"
#include "gui/GuardedApplication.h"
#include "gui/PortWindow.h"
#include "messages/Translations.h"

#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

using namespace zelko6;

namespace {

// A box would stop the picture; what it says goes to the terminal instead.
class PrintedBoxes final : public MessageBoxes {
  public:
    BoxAnswer show(BoxIcon, BoxButtons, const QString &title, const QString &text) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
        return BoxAnswer::Ok;
    }
};

// How long the search may take: one silent port costs ten seconds.
constexpr int kSearchLimitMs = 60000;

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    GuardedApplication qtApp(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const std::optional<Language> language =
        languageFromCode(args.size() > 2 ? args.at(2) : QStringLiteral("ja"));
    if (args.size() < 2 || args.size() > 4 || !language) {
        std::fprintf(stderr, "usage: zelko6-port-screenshot OUTPUT.png [ja|en [PROGRAM_FOLDER]]\n");
        return 1;
    }
    useLanguage(*language, args.size() > 3 ? args.at(3) : QCoreApplication::applicationDirPath());
    installFontSubstitutions();
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QtSettingsStore store;
    Settings settings(store);
    PrintedBoxes boxes;
    const std::unique_ptr<SerialLink> link = makeSystemSerialLink(PortResolver(&store));

    PortWindow window(*link, settings, boxes);
    window.show();
    auto *find = window.findChild<QPushButton *>(QStringLiteral("Cmd_Find"));
    if (!find)
        return 2;
    find->click();

    int result = 3;
    QTimer done;
    done.setInterval(200);
    QObject::connect(&done, &QTimer::timeout, [&] {
        if (!find->isEnabled()) // still searching
            return;
        window.grab().save(args[1]);
        std::printf("%s\n", qPrintable(args[1]));
        result = 0;
        qtApp.quit();
    });
    done.start();
    QTimer::singleShot(kSearchLimitMs, &qtApp, [&] { qtApp.quit(); });
    qtApp.exec();
    return result;
}
