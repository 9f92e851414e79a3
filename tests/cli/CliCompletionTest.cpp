// Bash completion as a user meets it: the installed script, sourced by bash, asks the program
// what fits at the cursor. With bash-completion loaded when the machine has it, and without.

#include "cli/CliProcess.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace zelko6::test {
namespace {

const QString kScript = QStringLiteral(ZELKO6_SOURCE_DIR "/packaging/bash-completion/zelko6-cli");
const QString kBashCompletion = QStringLiteral("/usr/share/bash-completion/bash_completion");

// COMP_WORDS as bash makes them ("=" a word of its own), the last under the cursor; the candidates.
QStringList completed(const CliWorkspace &ws, const QStringList &words, bool withBashCompletion,
                      const QStringList &environment = {})
{
    const QString run = QStringLiteral(
        R"(script=$1 library=$2; shift 2
[ -n "$library" ] && source "$library"
source "$script"
COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_LINE=${COMP_LINE// = /=}; COMP_POINT=${#COMP_LINE}
_zelko6_cli
printf '%s\n' "${COMPREPLY[@]}")");
    const CliRun result =
        ws.runThrough({QStringLiteral("/bin/bash"), QStringLiteral("-c"), run, QStringLiteral("bash"),
                       kScript, withBashCompletion ? kBashCompletion : QString()},
                      words, environment);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    QStringList offered = linesOf(QString::fromUtf8(result.out));
    offered.removeAll(QString()); // printf's one line when nothing is offered
    return offered;
}

// The same command lines through the script, as bash with or without bash-completion runs it.
void checkCompletion(bool withBashCompletion)
{
    CliWorkspace ws;
    // The user's own catalogue is the one the program reads; a port number names a device here.
    QDir().mkpath(ws.path(QStringLiteral(".config/ZELKO6")));
    ws.write(QStringLiteral(".config/ZELKO6/zelko6.ini"),
             "Ver 1\r\nMYCHIP 1 2 8 8 0 0 m\r\nMYOTHER 1 2 9 16 0 0 m\r\n");
    ws.write(QStringLiteral("adapter"), {});
    ws.write(QStringLiteral("image.hex"), {});
    const QStringList environment{QStringLiteral("ZELKO6_COM3=") + ws.path(QStringLiteral("adapter"))};
    struct Case {
        QStringList words;
        QStringList offered;
    };
    const Case cases[] = {
        {{"bl"}, {"blank"}},
        {{"read", "--chip", "MYC"}, {"MYCHIP"}},
        {{"read", "--chip", "=", "myo"}, {"MYOTHER"}},
        {{"read", "--chip", "MYOTHER", "--size", "2"}, {"256"}},
        {{"read", "--port", ws.path(QStringLiteral("ad"))}, {ws.path(QStringLiteral("adapter"))}},
        {{"read", "--port", "2"}, {"2", "20"}},
        {{"read", ws.path(QStringLiteral("ima"))}, {ws.path(QStringLiteral("image.hex"))}},
        {{"ports", "--pr"}, {"--probe"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.words.join(u' ').toStdString());
        EXPECT_EQ(completed(ws, c.words, withBashCompletion, environment), c.offered);
    }
}

TEST(CliCompletionTest, PlainBash)
{
    checkCompletion(false);
}

TEST(CliCompletionTest, WithBashCompletion)
{
    if (!QFile::exists(kBashCompletion))
        GTEST_SKIP() << kBashCompletion.toStdString() << " is missing (scripts/install-deps.sh installs it)";
    checkCompletion(true);
}

} // namespace
} // namespace zelko6::test
