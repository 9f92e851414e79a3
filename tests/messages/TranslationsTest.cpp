// Nothing user-visible in the faces is written outside Qt's translation calls
// (TranslationsUpToDateTest.cpp: every text of the sources is in the translation files).

#include "support/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Where a line's comment starts (outside its string literals), or its end.
qsizetype commentStart(const QString &line)
{
    bool inLiteral = false;
    for (qsizetype i = 0; i + 1 < line.size(); ++i) {
        if (inLiteral && line[i] == u'\\')
            ++i;
        else if (line[i] == u'"')
            inLiteral = !inLiteral;
        else if (!inLiteral && line[i] == u'/' && line[i + 1] == u'/')
            return i;
    }
    return line.size();
}

// Japanese text in a string literal that is not the text of a tr() or translate() call.
QStringList untranslatedLiterals(const QString &path)
{
    static const QRegularExpression literal(QStringLiteral(R"re("(?:[^"\\]|\\.)*")re"));
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    static const QRegularExpression translating(
        QStringLiteral(R"((\btr|\btranslate|\bQT_TRANSLATE_NOOP)\s*\(\s*("[^"]*"\s*,\s*)?$)"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("unreadable")};
    const QString text = QString::fromUtf8(file.readAll());
    QStringList found;
    qsizetype lineStart = 0;
    for (const QString &line : text.split(u'\n')) {
        const bool marked = line.contains(QStringLiteral("// untranslated"));
        auto matches = literal.globalMatch(line.left(commentStart(line)));
        while (matches.hasNext()) {
            const auto match = matches.next();
            if (marked || !japanese.match(match.captured()).hasMatch())
                continue;
            // What comes before the literal, across lines and earlier literals of the same call.
            QString before = text.left(lineStart + match.capturedStart());
            static const QRegularExpression trailing(QStringLiteral(R"re((\s*"(?:[^"\\]|\\.)*")+\s*$)re"));
            before.remove(trailing);
            if (!translating.match(before).hasMatch())
                found << match.captured();
        }
        lineStart += line.size() + 1;
    }
    return found;
}

TEST(Translations, TheFacesWriteNoTextOutsideTheTranslationCalls)
{
    QStringList found;
    for (const char *folder : {"gui", "cli", "messages"}) {
        QDirIterator files(QStringLiteral(ZELKO6_SOURCE_DIR "/src/") + QLatin1String(folder),
                           {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files);
        while (files.hasNext()) {
            const QString path = files.next();
            for (const QString &literal : untranslatedLiterals(path))
                found << QFileInfo(path).fileName() + QStringLiteral(": ") + literal;
        }
    }
    EXPECT_EQ(found, QStringList());
}

TEST(Translations, TheCheckerSeesALiteralOutsideACall)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("probe.cpp")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("a = tr(\"\xe8\xaa\xad\xe3\x81\xbf\");\n"                                      // tr("読み")
               "b = QCoreApplication::translate(\"C\",\n    \"\xe6\x9b\xb8\xe3\x81\x8d\");\n" // across lines
               "e = QT_TRANSLATE_NOOP(\"C\", \"\xe6\x9b\xb8\");\n"               // marked for later
               "c = QStringLiteral(\"\xe3\x82\xa8\xe3\x83\xa9\xe3\x83\xbc\");\n" // エラー, outside
               "d = QStringLiteral(\"\xe6\x97\xa5\"); // untranslated: a name\n");
    file.close();
    EXPECT_EQ(untranslatedLiterals(file.fileName()), QStringList{QString::fromUtf8("\"エラー\"")});
}

} // namespace
