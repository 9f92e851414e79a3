// The writer's exact text, its checksums, and the atomic save.

#include "core/files/ImageTestSupport.h"
#include "core/files/IntelHex.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelko6;
using namespace zelko6::test;

namespace {

const QByteArray kFirst = ":020000040000FA";
const QByteArray kSecondUpper = ":020000040001F9";
const QByteArray kEnd = ":00000001FF";
const QByteArray kErasedAt0 = ":10000000FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF00";
const QByteArray kErasedAt16 = ":10001000FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF0";

} // namespace

TEST(IntelHexWriter, WorkedExamplesByteForByte)
{
    EXPECT_EQ(intelHexText(erasedBuffer(4)), kFirst + "\r\n" + kErasedAt0 + "\r\n" + kEnd + "\r\n");
    const QByteArrayList lines = crLfLines(intelHexText(erasedBuffer(8)));
    ASSERT_EQ(lines.size(), 2 + 16);
    EXPECT_EQ(lines[2], kErasedAt16);
}

// Walks the whole file: first and last record, every data address in order, an extended linear
// address record exactly at each 64 KiB boundary after the first, and the data bytes themselves.
TEST(IntelHexWriter, RecordLayoutAroundEvery64KiBBoundary)
{
    for (const int sizeExp : {12, 16, 17}) {
        SCOPED_TRACE(sizeExp);
        const MemoryBuffer buffer = randomBuffer(sizeExp, 7);
        const QByteArrayList lines = crLfLines(intelHexText(buffer));
        const size_t boundaries = (buffer.size() - 1) / 0x10000;
        ASSERT_EQ(size_t(lines.size()), 2 + buffer.size() / 16 + boundaries);
        EXPECT_EQ(lines.front(), kFirst);
        EXPECT_EQ(lines.back(), kEnd);
        size_t next = 1;
        QByteArray image;
        for (size_t address = 0; address < buffer.size(); address += 16) {
            if (address % 0x10000 == 0 && address != 0) {
                const QByteArray upper = lines[qsizetype(next++)];
                ASSERT_TRUE(upper.startsWith(":02000004")) << upper.constData();
                EXPECT_EQ(upper.mid(9, 4).toUInt(nullptr, 16), address / 0x10000);
            }
            const QByteArray record = lines[qsizetype(next++)];
            ASSERT_EQ(record.size(), 1 + 8 + 32 + 2);
            EXPECT_EQ(record.left(3), ":10");
            EXPECT_EQ(record.mid(3, 4).toUInt(nullptr, 16), address % 0x10000) << record.constData();
            EXPECT_EQ(record.mid(7, 2), "00");
            image += QByteArray::fromHex(record.mid(9, 32));
        }
        EXPECT_EQ(image, bufferBytes(buffer));
        EXPECT_EQ(lines.count(kSecondUpper), sizeExp == 17 ? 1 : 0);
        if (sizeExp == 17) {
            const qsizetype at = lines.indexOf(kSecondUpper);
            EXPECT_TRUE(lines[at - 1].startsWith(":10FFF000"));
            EXPECT_TRUE(lines[at + 1].startsWith(":10000000"));
        }
    }
}

// Other tools reject a file over one wrong digit: every line must be upper-case hex ended by CR LF,
// with bytes summing to 0 modulo 256, and AppendHexChecksum must agree with the writer.
TEST(IntelHexWriter, CheckSumsDigitsAndLineEnds)
{
    const QByteArray text = intelHexText(randomBuffer(17, 3));
    const QByteArrayList lines = crLfLines(text);
    EXPECT_TRUE(text.endsWith("\r\n"));
    EXPECT_EQ(text.count("\r\n"), lines.size());
    EXPECT_EQ(text.count('\n'), lines.size());
    EXPECT_EQ(text.count('\r'), lines.size());
    const QRegularExpression form(QStringLiteral("^:([0-9A-F]{2})+$"));
    for (const QByteArray &line : lines) {
        ASSERT_TRUE(form.match(QString::fromLatin1(line)).hasMatch()) << line.constData();
        unsigned sum = 0;
        for (const char byte : QByteArray::fromHex(line.mid(1)))
            sum += uint8_t(byte);
        EXPECT_EQ(sum % 256, 0u) << line.constData();
        QString recomputed = QString::fromLatin1(line.chopped(2));
        AppendHexChecksum(recomputed);
        EXPECT_EQ(recomputed, QString::fromLatin1(line));
    }
    // AppendHexChecksum reads pairs with HexWordValue: lower case counts, a lone digit is "0" + digit.
    QString lower = QStringLiteral(":02000004000a");
    AppendHexChecksum(lower);
    EXPECT_EQ(lower.right(2), QStringLiteral("F0"));
    QString odd = QStringLiteral(":1");
    AppendHexChecksum(odd);
    EXPECT_EQ(odd, QStringLiteral(":1FF"));
}

TEST(IntelHexWriter, LeadingZerosForSmallBytesAndChecksums)
{
    MemoryBuffer buffer = erasedBuffer(4);
    std::fill(buffer.data(), buffer.data() + buffer.size(), 0);
    buffer[0] = 0x0A;
    buffer[1] = 0xE1; // 0x10 + 0x0A + 0xE1 = 0xFB, so the checksum is 0x05
    EXPECT_EQ(crLfLines(intelHexText(buffer))[1], ":10000000"
                                                  "0AE1" +
                                                      QByteArray(28, '0') + "05");
}

TEST(IntelHexSave, ReplacesAnEarlierFileWithTheWholeText)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("image.hex"));
    ASSERT_TRUE(writeBytes(path, QByteArray(1'000'000, 'x')));
    const MemoryBuffer buffer = randomBuffer(10, 1);
    const SaveOutcome outcome = saveIntelHex(buffer, path);
    EXPECT_TRUE(outcome.saved) << outcome.reason.toStdString();
    EXPECT_EQ(fileBytes(path), intelHexText(buffer));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), 1);
}

// Tests run as root, where permission bits do not stop a write; a missing folder and a folder
// standing where the file should go fail for root as well.
TEST(IntelHexSave, FailureLeavesNoFileUnderTheChosenName)
{
    QTemporaryDir dir;
    const MemoryBuffer buffer = randomBuffer(8, 2);
    const QString inMissingFolder = dir.filePath(QStringLiteral("missing/image.hex"));
    SaveOutcome outcome = saveIntelHex(buffer, inMissingFolder);
    EXPECT_FALSE(outcome.saved);
    EXPECT_FALSE(outcome.reason.isEmpty());
    EXPECT_FALSE(QFile::exists(inMissingFolder));

    const QString folderInTheWay = dir.filePath(QStringLiteral("image.hex"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("image.hex")));
    outcome = saveIntelHex(buffer, folderInTheWay);
    EXPECT_FALSE(outcome.saved);
    EXPECT_FALSE(outcome.reason.isEmpty());
    EXPECT_TRUE(QFileInfo(folderInTheWay).isDir());
    // No temporary file left beside it either.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("image.hex")});
}
