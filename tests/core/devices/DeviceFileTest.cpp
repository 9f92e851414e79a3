// Reading the device definition file.

#include "core/devices/DeviceFile.h"
#include "core/text/CodePage932.h"
#include "support/HostileFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelko6;

namespace {

DeviceFileContents parse(const QString &text)
{
    return parseDeviceFile(encodeCp932(text));
}

QStringList columns(const DeviceRecord &record, int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << record[static_cast<size_t>(i)];
    return out;
}

} // namespace

TEST(DeviceFile, OnlyCommentsAndAVersionLineGiveAnEmptyList)
{
    const auto file = parse(QStringLiteral("; catalogue\r\n  Ver 1.00  \r\n;\r\n\r\n"));
    EXPECT_EQ(file.DeviceCount, 0);
    EXPECT_EQ(file.DefFileVer, QStringLiteral("Ver 1.00"));
}

TEST(DeviceFile, LinesSplitIntoColumnsWithTabsCommentsAndTheEqualsRule)
{
    const auto file = parse(QStringLiteral("24C02\t2Kbit 2 8 8 0 0\r\n"
                                           ";24C04 4Kbit 2 9 16 0 0\r\n"
                                           "24C08 8Kbit 2 10 16 0 0 ;no longer made\r\n"
                                           "24C01=1Kbit 2 7 8\r\n"
                                           "93C46 1Kbit 3 7 1 0 6 Version2\r\n"
                                           "AT24C1024 1Mbit 2 17 256 2 0 メモ 1.8-5.5V"));
    ASSERT_EQ(file.DeviceCount, 3);
    EXPECT_EQ(file.DefFileVer, QStringLiteral("93C46 1Kbit 3 7 1 0 6 Version2")); // "Ver" wins over a chip
    EXPECT_EQ(columns(file.table.row(0), 8), (QStringList{"24C02", "2Kbit", "2", "8", "8", "0", "0", ""}));
    EXPECT_EQ(columns(file.table.row(1), 5), (QStringList{"24C01", "=", "1Kbit", "2", "7"}));
    EXPECT_EQ(deviceListEntry(file.table.row(0)), QStringLiteral("24C02    2Kbit"));
    EXPECT_EQ(deviceListEntry(file.table.row(1)), QStringLiteral("24C01    ="));
    // A line without an ending is read too; a nine-character name is followed directly by the label.
    const auto last = parse(QStringLiteral("AT24C1024 1Mbit 2 17 256 2 0 メモ 1.8-5.5V"));
    EXPECT_EQ(deviceListEntry(last.table.row(0)), QStringLiteral("AT24C10241Mbit"));
    EXPECT_EQ(last.table.row(0)[kColMemo], QStringLiteral("メモ"));
    EXPECT_EQ(last.table.row(0)[kColVdd], QStringLiteral("1.8-5.5V"));
}

TEST(DeviceFile, OnlyCarriageReturnsEndLines)
{
    EXPECT_EQ(parse(QStringLiteral("A a 2 4 8\rB b 2 4 8\r\nC c 2 4 8")).DeviceCount, 3);
    const auto lfOnly = parse(QStringLiteral("A a 2 4 8\nB b 2 4 8\nC c 2 4 8\n"));
    EXPECT_EQ(lfOnly.DeviceCount, 1); // one single line
    EXPECT_EQ(lfOnly.table.row(0)[kColName], QStringLiteral("A"));
}

TEST(DeviceFile, TableHoldsTheFirst101ChipsButCountsThemAll)
{
    QString text;
    for (int i = 0; i < 105; ++i)
        text += QStringLiteral("C%1 L 2 4 8 0 0\r\n").arg(i);
    const auto file = parse(text);
    EXPECT_EQ(file.DeviceCount, 105);
    EXPECT_EQ(file.table.row(100)[kColName], QStringLiteral("C100"));
}

TEST(DeviceFile, LongLinesKeepTheirFirstTwentyColumns)
{
    QStringList words;
    for (int i = 0; i < 70; ++i)
        words << QStringLiteral("w%1").arg(i);
    EXPECT_EQ(SplitWords(words.join(u' ')).size(), kMaxWordsPerLine);
    const auto file = parse(words.join(QStringLiteral("  ")) + QStringLiteral("\r\nnext n 2 4\r\n"));
    ASSERT_EQ(file.DeviceCount, 2);
    EXPECT_EQ(file.table.row(0)[19], QStringLiteral("w19"));
    EXPECT_EQ(file.table.row(0)[20], QString());
    EXPECT_EQ(file.table.row(1)[kColName], QStringLiteral("next"));
}

TEST(DeviceFile, SplitWordsAndExpandTabs)
{
    EXPECT_EQ(ExpandTabs(QStringLiteral("a\tb")), QStringLiteral("a        b"));
    EXPECT_EQ(SplitWords(QStringLiteral("  a   b ")), (QStringList{"a", "b"}));
    EXPECT_EQ(SplitWords(QStringLiteral("a=b=c")), (QStringList{"a", "=", "b=c"}));
    EXPECT_TRUE(SplitWords(QString()).isEmpty());
}

TEST(DeviceFile, AFileThatCannotBeReadGivesAnEmptyList)
{
    const auto file = readDeviceFile(QStringLiteral("/nonexistent/zelko6.ini"));
    EXPECT_EQ(file.DeviceCount, 0);
    EXPECT_TRUE(file.DefFileVer.isEmpty());
}

namespace {

const QByteArray kBom = QByteArray("\xEF\xBB\xBF");

QByteArray sampleCatalogue()
{
    QFile file(QStringLiteral(ZELKO6_SOURCE_DIR "/data/zelko6.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Everything a catalogue's reader gives, row by row.
QStringList tableOf(const DeviceFileContents &file)
{
    QStringList rows{file.DefFileVer, QString::number(file.DeviceCount)};
    for (int row = 0; row < file.DeviceCount && row < kDeviceRows; ++row)
        rows << columns(file.table.row(row), kStoredWords).join(u'|');
    return rows;
}

} // namespace

TEST(DeviceFileEncoding, TheSameCatalogueInCodePage932OrUtf8GivesTheSameTable)
{
    // The sample, and lines with half-width katakana, full-width letters and a wave dash.
    const QByteArray sample = sampleCatalogue();
    ASSERT_FALSE(sample.isEmpty());
    const QString text = decodeCp932(sample) + QStringLiteral("X1 ｱﾄﾞﾚｽ 2 4 8 0 0 ＧＮＤ～5V\r\n");
    const auto cp932 = encodeCp932Exactly(text);
    ASSERT_TRUE(cp932.has_value());
    const QStringList expected = tableOf(parseDeviceFile(*cp932));
    ASSERT_EQ(expected[1], QStringLiteral("18"));
    EXPECT_TRUE(expected[2].contains(QStringLiteral("|A0-A2:アドレス選択|1.8-5.5V|1,000,000回|")));
    EXPECT_TRUE(expected.last().startsWith(QStringLiteral("X1|ｱﾄﾞﾚｽ|2|4|8|0|0|ＧＮＤ～5V|")));
    for (const QByteArray &utf8 : {text.toUtf8(), kBom + text.toUtf8()})
        EXPECT_EQ(tableOf(parseDeviceFile(utf8)), expected) << utf8.left(3).toHex().toStdString();
}

TEST(DeviceFileEncoding, WhatIsNotValidUtf8ReadsAsCodePage932AsBefore)
{
    const struct {
        QByteArray bytes;
        QString text;
        const char *why;
    } cases[] = {
        {"24C01 a", QStringLiteral("24C01 a"), "ASCII reads the same either way"},
        {kBom + "24C01 a", QStringLiteral("24C01 a"), "the BOM is no part of the first name"},
        {"\xE3\x81\x82", QStringLiteral("あ"), "UTF-8"},
        {"\x82\xA0", QStringLiteral("あ"), "code page 932: a lead byte UTF-8 never starts with"},
        {"1,000,000\x89\xF1", QStringLiteral("1,000,000回"), "code page 932"},
        {"\xE3\x81", decodeCp932("\xE3\x81"), "UTF-8 cut off at the end"},
        {"\xC0\xAF", decodeCp932("\xC0\xAF"), "an overlong UTF-8 form"},
        {"\xED\xA0\x80", decodeCp932("\xED\xA0\x80"), "a UTF-16 surrogate in UTF-8 form"},
        {kBom + "\x89\xF1", decodeCp932(kBom + "\x89\xF1"), "a BOM before code page 932 is read as it was"},
        // The rule's limit: these code page 932 bytes are valid UTF-8 too, and UTF-8 wins.
        {"\xC3\xBD", QStringLiteral("ý"), "half-width katakana ﾃｽ"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(decodeDeviceFile(c.bytes), c.text) << c.why;
    EXPECT_EQ(decodeCp932("\xC3\xBD"), QStringLiteral("ﾃｽ"));
}

TEST(DeviceFileEncoding, OnlyARegularFileIsRead)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo.ini"));
    if (!test::systemHasHostileFiles())
        GTEST_SKIP() << test::kNoHostileFiles;
    ASSERT_TRUE(test::makeFifo(fifo));
    for (const QString &path : {fifo, test::endlessFileIn(QDir(dir.path()), QStringLiteral("zero.ini"))}) {
        DeviceFileContents file;
        EXPECT_TRUE(test::endsWithoutAWriter(fifo, [&] { file = readDeviceFile(path); }));
        EXPECT_EQ(file.DeviceCount, 0) << path.toStdString();
    }
    const QString real = dir.filePath(QStringLiteral("zelko6.ini"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZELKO6_SOURCE_DIR "/data/zelko6.ini"), real));
    EXPECT_EQ(readDeviceFile(real).DeviceCount, 17);
}
