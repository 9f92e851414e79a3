// Code page 932 on this platform against the Linux build's table (cp932.table): every single
// byte, every lead/trail pair, every character of the Basic Multilingual Plane. Where the system's
// own code page is not ICU's (Windows), the differences must be exactly the ones committed beside
// the table.

#include "Cp932Table.h"

#include "support/TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace zelko6::test {
namespace {

QString sourceText(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

// The lines of the committed list of this platform's differences; none where there is no list.
QStringList expectedDifferences()
{
    const QString path = QStringLiteral(ZELKO6_CP932_DIFFERENCES);
    if (path.isEmpty())
        return {};
    QStringList lines;
    for (const QString &line : sourceText(path).split(u'\n')) {
        if (!line.isEmpty() && !line.startsWith(u'#'))
            lines << line;
    }
    return lines;
}

TEST(CodePage932Table, ThisPlatformConvertsAsTheLinuxBuildDidSaveTheListedDifferences)
{
    const QString table = sourceText(sourcePath(QStringLiteral("tests/core/text/cp932.table")));
    // 16 rows of single bytes, 12 rows of pairs for each of the 60 lead bytes.
    ASSERT_GT(table.count(u'\n'), 736);
    const QStringList differences = codePage932Differences(table);
    const QStringList expected = expectedDifferences();
    EXPECT_EQ(differences, expected) << differences.size() << " differences (expected " << expected.size()
                                     << "):\n"
                                     << differences.join(u'\n').toStdString();
}

TEST(CodePage932Table, AChangedCellIsFoundInBothDirections)
{
    // The comparison itself: pair 82A0 ("あ") made to read "A" in the table. Its row differs; "あ"
    // then has no cell, and "A" two, so neither has a code the table implies.
    QString table = sourceText(sourcePath(QStringLiteral("tests/core/text/cp932.table")));
    const qsizetype row = table.indexOf(QStringLiteral("\n82A0: 3042 "));
    ASSERT_GT(row, 0);
    table.replace(row + 7, 4, QStringLiteral("0041"));
    const QStringList before = expectedDifferences();
    QStringList added;
    for (const QString &line : codePage932Differences(table)) {
        if (!before.contains(line))
            added << line;
    }
    ASSERT_EQ(added.size(), 3) << added.join(u'\n').toStdString();
    EXPECT_TRUE(added.at(0).startsWith(QStringLiteral("[decode] 82A0: Linux 0041 3043 ")))
        << added.at(0).toStdString();
    EXPECT_TRUE(added.at(0).contains(QStringLiteral(", here 3042 3043 "))) << added.at(0).toStdString();
    EXPECT_EQ(added.at(1), QStringLiteral("[encode] 0041: Linux -, here 41"));
    EXPECT_EQ(added.at(2), QStringLiteral("[encode] 3042: Linux -, here 82A0"));
}

} // namespace
} // namespace zelko6::test
