#include "cli/CliProcess.h"

#include "core/files/SRecord.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>

namespace zelko6::test {

CliWorkspace::CliWorkspace()
{
    EXPECT_TRUE(dir_.isValid());
}

QString CliWorkspace::path(const QString &name) const
{
    return QDir(dir_.path()).filePath(name);
}

void CliWorkspace::write(const QString &name, const QByteArray &bytes) const
{
    ASSERT_TRUE(writeBytes(path(name), bytes)) << name.toStdString();
}

QByteArray CliWorkspace::read(const QString &name) const
{
    return fileBytes(path(name));
}

bool CliWorkspace::exists(const QString &name) const
{
    return QFile::exists(path(name));
}

void CliWorkspace::prepare(QProcess &process, const QStringList &environment) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral(".config")));
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    for (const QString &entry : environment)
        env.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(dir_.path());
}

CliRun CliWorkspace::collect(QProcess &process)
{
    CliRun run;
    run.finished = process.waitForFinished(kRunMs);
    if (!run.finished)
        process.kill();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

CliRun CliWorkspace::run(const QStringList &arguments, const QStringList &environment,
                         const QByteArray &input, const QString &outputFile) const
{
    QProcess process;
    prepare(process, environment);
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(QStringLiteral(CLI_PATH), arguments);
    if (!process.waitForStarted(kStartMs))
        return {};
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    return collect(process);
}

void CliWorkspace::start(QProcess &process, const QStringList &arguments,
                         const QStringList &environment) const
{
    prepare(process, environment);
    process.start(QStringLiteral(CLI_PATH), arguments);
}

CliRun CliWorkspace::runThrough(const QStringList &wrapper, const QStringList &arguments,
                                const QStringList &environment) const
{
    QProcess process;
    prepare(process, environment);
    process.start(wrapper.value(0), wrapper.mid(1) + QStringList{QStringLiteral(CLI_PATH)} + arguments);
    if (!process.waitForStarted(kStartMs))
        return {};
    process.closeWriteChannel();
    return collect(process);
}

QByteArray sRecordOf(const QByteArray &bytes)
{
    MemoryBuffer buffer;
    buffer.recreate(static_cast<int>(std::log2(bytes.size())));
    std::copy(bytes.begin(), bytes.end(), buffer.data());
    return sRecordText(buffer);
}

bool hasJapanese(const QString &text)
{
    // Punctuation, kana, CJK ideographs, full-width forms and half-width katakana.
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return japanese.match(text).hasMatch();
}

QStringList linesOf(const QString &text)
{
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r?\n")));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray bytesByIntelHexTool(const QString &hexPath, int size)
{
    QProcess python;
    python.start(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral("-c"),
         QStringLiteral("import sys; from intelhex import IntelHex; h = IntelHex(sys.argv[1]); "
                        "sys.stdout.buffer.write(bytes(h.tobinarray(start=0, size=int(sys.argv[2]))))"),
         hexPath, QString::number(size)});
    if (!python.waitForFinished(kRunMs) || python.exitCode() != 0)
        return {};
    return python.readAllStandardOutput();
}

} // namespace zelko6::test
