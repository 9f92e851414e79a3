// zelko6-cli: the programmer's operations for scripts and machines without a display.

#include "cli/Commands.h"
#include "cli/Completion.h"
#include "cli/Interruption.h"
#include "cli/Language.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    using namespace zelko6;
    using namespace zelko6::cli;
    installInterruptHandling();
    // The serial link and the simulator of the demo need an event loop; nothing here needs more.
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();

    const Console console(stdout, stderr, isatty(STDERR_FILENO) != 0);
    // The shell's completion script asks what fits at the cursor; no user types this.
    if (arguments.value(0) == QStringLiteral("--complete")) {
        for (const QString &line : completionLines(complete(arguments.mid(1), systemCompletionSources())))
            console.data(line);
        return kExitOk;
    }

    const Language language =
        chooseLanguage(languageArgument(arguments), [](const char *name) { return qgetenv(name); });
    // Said in English on purpose: the English texts are exactly what is missing.
    if (!useLanguage(language, QCoreApplication::applicationDirPath()) && language == Language::English)
        console.note(QStringLiteral("zelko6-cli: the English texts are missing beside the program; "
                                    "the results are in Japanese"));
    const auto parsed = parseArguments(arguments);
    if (const auto *wrong = std::get_if<UsageError>(&parsed))
        return usageError(console, wrong->message);
    return runCommandLine(std::get<CliOptions>(parsed), console);
}
