#include "support/TestSupport.h"

#include <QFile>
#include <QSettings>
#include <QSysInfo>
#include <cstdlib>
#include <gtest/gtest.h>

namespace zelko6::test {

void prepareProcessEnvironment()
{
    // The laptop screen that CTest gives the tests (tests/CMakeLists.txt), when run on their own.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", ZELKO6_TEST_PLATFORM);
    // A runtime directory of our own: the single-instance lock and Qt's warnings stay private.
    static QTemporaryDir runtime;
    runtime.setAutoRemove(true);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    static QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
}

IsolatedSettings::IsolatedSettings()
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
    // Windows keeps native settings in the registry, which setPath cannot move: there the
    // settings go to files of the same layout instead.
    if (QSysInfo::kernelType() == QStringLiteral("winnt"))
        QSettings::setDefaultFormat(QSettings::IniFormat);
}

IsolatedSettings::~IsolatedSettings()
{
    // Later tests must not write into a folder that is about to vanish.
    const QString nowhere = QDir::tempPath() + QStringLiteral("/zelko6-settings-unset");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
}

QString IsolatedSettings::stored(const QString &section, const QString &key) const
{
    QSettings settings(QSettings::defaultFormat(), QSettings::UserScope, QStringLiteral("ZELKO6"),
                       QStringLiteral("ZELKO6"));
    return settings.value(section + u'/' + key).toString();
}

bool IsolatedSettings::has(const QString &section, const QString &key) const
{
    QSettings settings(QSettings::defaultFormat(), QSettings::UserScope, QStringLiteral("ZELKO6"),
                       QStringLiteral("ZELKO6"));
    return settings.contains(section + u'/' + key);
}

ScopedEnvironment::ScopedEnvironment(const char *name, const QByteArray &value) : name_(name)
{
    if (qEnvironmentVariableIsSet(name))
        earlier_ = qgetenv(name);
    qputenv(name, value);
}

ScopedEnvironment::~ScopedEnvironment()
{
    if (earlier_)
        qputenv(name_.constData(), *earlier_);
    else
        qunsetenv(name_.constData());
}

TempProgramDir::TempProgramDir()
{
    EXPECT_TRUE(dir_.isValid());
}

void TempProgramDir::writeFile(const QString &name, const QByteArray &bytes) const
{
    ASSERT_TRUE(writeBytes(file(name), bytes)) << name.toStdString();
}

QByteArray TempProgramDir::readFile(const QString &name) const
{
    return fileBytes(file(name));
}

QStringList TempProgramDir::entries() const
{
    return QDir(appDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

void TempProgramDir::copySampleCatalogue() const
{
    QFile sample(sourcePath(QStringLiteral("data/zelko6.ini")));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    writeFile(QStringLiteral("zelko6.ini"), sample.readAll());
}

QStringList RecordingStatusPanels::historyOf(int panel) const
{
    QStringList out;
    for (const auto &[p, text] : history)
        if (p == panel)
            out << text;
    return out;
}

QByteArray patternBytes(int size, int seed)
{
    QByteArray out(size, '\0');
    for (int i = 0; i < size; ++i)
        out[i] = static_cast<char>((i * 37 + (i >> 8) * 11 + seed) & 0xFF);
    return out;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QString sourcePath(const QString &relative)
{
    return QStringLiteral(ZELKO6_SOURCE_DIR "/") + relative;
}
QString binaryPath(const QString &relative)
{
    return QStringLiteral(ZELKO6_BINARY_DIR "/") + relative;
}

} // namespace zelko6::test
