#pragma once
// Running a tool no one here wrote, for the cross-checks.

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace zelko6::test {

// Runs `program` with `arguments`, where "IN" and "OUT" stand for the two files; fails the test
// unless it ends normally with exit code 0.
inline void run(const QString &program, QStringList arguments, const QString &in, const QString &out)
{
    arguments.replaceInStrings(QRegularExpression(QStringLiteral("^IN$")), in);
    arguments.replaceInStrings(QRegularExpression(QStringLiteral("^OUT$")), out);
    QProcess process;
    process.start(program, arguments);
    ASSERT_TRUE(process.waitForFinished(60'000)) << program.toStdString();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(process.exitCode(), 0) << program.toStdString() << " " << arguments.join(u' ').toStdString()
                                     << "\n"
                                     << process.readAllStandardError().toStdString();
}

} // namespace zelko6::test
