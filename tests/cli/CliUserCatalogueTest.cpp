// zelko6-cli's default catalogue: the user's own zelko6.ini beside the settings file when there is
// one, as the window reads it; and --help names the user's real folders for it and the verify log.

#include "cli/CliProcess.h"

#include <QDir>
#include <gtest/gtest.h>

namespace zelko6::test {
namespace {

TEST(CliUserCatalogueTest, TheUsersOwnCatalogueIsListedInsteadOfTheProgramFolders)
{
    CliWorkspace ws;
    ASSERT_TRUE(QDir().mkpath(ws.path(QStringLiteral(".config/ZELKO6"))));
    ws.write(QStringLiteral(".config/ZELKO6/zelko6.ini"), "Ver 9.00\r\nX24C99 own 2 8 8 0 0 m\r\n");
    const CliRun own = ws.run({QStringLiteral("list")});
    ASSERT_EQ(own.exitCode, 0) << own.err.toStdString();
    const QStringList rows = linesOf(QString::fromUtf8(own.out));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1].simplified(), QStringLiteral("0 X24C99 own 256 8 2-wire"));
}

TEST(CliUserCatalogueTest, HelpNamesTheUsersOwnFolders)
{
    CliWorkspace ws;
    for (const char *language : {"en", "ja"}) {
        const CliRun help =
            ws.run({QStringLiteral("--help"), QStringLiteral("--lang"), QLatin1String(language)},
                   {QStringLiteral("XDG_DATA_HOME=") + ws.path(QStringLiteral("data"))});
        ASSERT_EQ(help.exitCode, 0) << help.err.toStdString();
        const QString text = QString::fromUtf8(help.out);
        EXPECT_TRUE(text.contains(ws.path(QStringLiteral("data/ZELKO6/VerifyLog.txt"))))
            << text.toStdString();
        EXPECT_TRUE(text.contains(ws.path(QStringLiteral(".config/ZELKO6/zelko6.ini"))))
            << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("VerifyLog.txt beside the program")))
            << "what it said before";
    }
}

} // namespace
} // namespace zelko6::test
