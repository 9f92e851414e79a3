// The translation files against the sources: every text the program shows is in them, translated.

#include "support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using zelko6::test::fileBytes;

TEST(Translations, EveryTextOfTheSourcesIsTranslated)
{
    // lupdate over the sources into a copy of the committed file: an up-to-date file comes back
    // unchanged; a text missing from it, or one no longer in the sources, changes it.
    QTemporaryDir dir;
    const QString committed = QStringLiteral(ZELKO6_SOURCE_DIR "/translations/zelko6_en.ts");
    const QString copy = dir.filePath(QStringLiteral("zelko6_en.ts"));
    ASSERT_TRUE(QFile::copy(committed, copy));
    QProcess lupdate;
    lupdate.start(QStringLiteral(LUPDATE_PATH),
                  {QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("-no-obsolete"),
                   QStringLiteral("-source-language"), QStringLiteral("ja_JP"),
                   QStringLiteral("-target-language"), QStringLiteral("en"),
                   QStringLiteral(ZELKO6_SOURCE_DIR "/src"), QStringLiteral("-ts"), copy});
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    const QByteArray updated = fileBytes(copy);
    EXPECT_EQ(updated, fileBytes(committed))
        << "run scripts/update-translations.sh and translate what it adds";
    EXPECT_FALSE(updated.contains("type=\"unfinished\"")) << "an English translation is missing";
    EXPECT_GT(updated.count("<translation>"), 100);
}

} // namespace
