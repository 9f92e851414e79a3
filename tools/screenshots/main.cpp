// Pictures of the window in each language, for a person to look at: the main window, the
// file-open dialog and the question before a file is replaced, Japanese and English. Offscreen;
// the program's own windows and dialogs, as a user would meet them.
// Run: zelko6-screenshots PROGRAM_FOLDER OUTPUT_FOLDER (scripts/screenshot-languages.sh does it).

#include "ScreenshotProgram.h"
#include "core/base/Settings.h"
#include "gui/Application.h"
#include "gui/Fonts.h"
#include "gui/GuardedApplication.h"
#include "gui/MainWindow.h"
#include "messages/Translations.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

using namespace zelko6;
using zelko6::screenshots::ScreenshotProgram;

namespace {

// Once the next modal window is up: save its picture, then let `answer` close it.
void whenModal(const QString &picture, std::function<void(QWidget *)> answer, int attempts = 100)
{
    QTimer::singleShot(50, [=] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            if (attempts > 0)
                whenModal(picture, answer, attempts - 1);
            return;
        }
        modal->grab().save(picture);
        std::printf("%s\n", qPrintable(picture));
        answer(modal);
    });
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    GuardedApplication qtApp(argc, argv);
    qtApp.setQuitOnLastWindowClosed(false);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: zelko6-screenshots PROGRAM_FOLDER OUTPUT_FOLDER\n");
        return 1;
    }
    const QString programFolder = QFileInfo(args[1]).absoluteFilePath();
    const QDir out(args[2]);
    installFontSubstitutions();

    for (const Language language : {Language::Japanese, Language::English}) {
        const QString code = languageCode(language);
        QTemporaryDir files;
        ScreenshotProgram program(programFolder);
        program.settings().setText(keys::Language, code);
        program.settings().setText(keys::OpenDir, files.path());
        program.settings().setText(keys::SaveDir, files.path());
        MainWindow *started = program.start();
        if (!started)
            return 2;
        MainWindow &main = *started;
        program.boxes().setOwner(&main);
        main.resize(980, 640);
        QCoreApplication::processEvents();
        main.grab().save(out.filePath(QStringLiteral("main-%1.png").arg(code)));
        std::printf("%s\n", qPrintable(out.filePath(QStringLiteral("main-%1.png").arg(code))));

        whenModal(out.filePath(QStringLiteral("open-%1.png").arg(code)),
                  [](QWidget *dialog) { static_cast<QDialog *>(dialog)->reject(); });
        main.fileCommands().mnuFileOpen_Click();

        // A name that exists: the program asks before replacing it.
        const QString existing = files.filePath(QStringLiteral("image.hex"));
        QFile(existing).open(QIODevice::WriteOnly);
        whenModal(out.filePath(QStringLiteral("save-%1.png").arg(code)), [=](QWidget *dialog) {
            if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                name->setText(QStringLiteral("image.hex"));
            whenModal(out.filePath(QStringLiteral("overwrite-%1.png").arg(code)),
                      [](QWidget *box) { static_cast<QDialog *>(box)->reject(); });
            QMetaObject::invokeMethod(dialog, "accept");
        });
        main.fileCommands().mnuFileSaveAs_Click();
    }
    return 0;
}
