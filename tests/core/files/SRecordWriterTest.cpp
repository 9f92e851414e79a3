// The S-record writer's exact text and record widths, the atomic save, and the names that say
// S-record. Other tools check every count and checksum of ours in SRecordCrossCheckTest.

#include "core/files/ImageTestSupport.h"
#include "core/files/SRecord.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelko6;
using namespace zelko6::test;

namespace {

// Worked out by hand: count, address, data, then the ones' complement of their sum's low byte.
const QByteArray kHeader = "S00900005A454C4B4F363B"; // "ZELKO6"
const QByteArray kErasedAt0 = "S1130000FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFC";
const QByteArray kEndAfterS1 = "S9030000FC";
const QByteArray kEndAfterS2 = "S804000000FB";

} // namespace

TEST(SRecordWriter, WorkedExamplesByteForByte)
{
    EXPECT_EQ(sRecordText(erasedBuffer(4)), kHeader + "\r\n" + kErasedAt0 + "\r\n" + kEndAfterS1 + "\r\n");

    // Small bytes keep their leading zeros, and so does a small checksum.
    MemoryBuffer buffer = erasedBuffer(4);
    std::fill(buffer.data(), buffer.data() + buffer.size(), 0);
    buffer[0] = 0x0A;
    buffer[1] = 0xE1; // 0x13 + 0x0A + 0xE1 = 0xFE, so the checksum is 0x01
    EXPECT_EQ(crLfLines(sRecordText(buffer))[1], "S1130000"
                                                 "0AE1" +
                                                     QByteArray(28, '0') + "01");

    // Above 64 KiB the last record, at 0x1FFF0, has a 24-bit address.
    MemoryBuffer large = erasedBuffer(17);
    for (int i = 0; i < 16; ++i)
        large[0x1FFF0 + size_t(i)] = uint8_t(i);
    const QByteArrayList lines = crLfLines(sRecordText(large));
    ASSERT_EQ(lines.size(), 1 + 0x20000 / 16 + 1);
    EXPECT_EQ(lines[lines.size() - 2], "S21401FFF0000102030405060708090A0B0C0D0E0F83");
    EXPECT_EQ(lines.back(), kEndAfterS2);
}

// Walks the whole file: the header, every data address in order in the record type the size
// calls for, the data bytes themselves, the matching termination last.
TEST(SRecordWriter, S1UpTo64KiBAndS2Above)
{
    for (const int sizeExp : {4, 12, 16, 17}) {
        SCOPED_TRACE(sizeExp);
        const MemoryBuffer buffer = randomBuffer(sizeExp, 17);
        const QByteArrayList lines = crLfLines(sRecordText(buffer));
        const bool wide = sizeExp > 16;
        const int addressDigits = wide ? 6 : 4;
        ASSERT_EQ(size_t(lines.size()), 2 + buffer.size() / 16);
        EXPECT_EQ(lines.front(), kHeader);
        EXPECT_EQ(lines.back(), wide ? kEndAfterS2 : kEndAfterS1);
        QByteArray image;
        for (size_t address = 0; address < buffer.size(); address += 16) {
            const QByteArray record = lines[qsizetype(1 + address / 16)];
            ASSERT_EQ(record.size(), 4 + addressDigits + 32 + 2) << record.constData();
            EXPECT_EQ(record.left(4), wide ? "S214" : "S113");
            EXPECT_EQ(record.mid(4, addressDigits).toUInt(nullptr, 16), address) << record.constData();
            image += QByteArray::fromHex(record.mid(4 + addressDigits, 32));
        }
        EXPECT_EQ(image, bufferBytes(buffer));
    }
}

TEST(SRecordSave, ReplacesAnEarlierFileAndLeavesNothingOnFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("image.s19"));
    ASSERT_TRUE(writeBytes(path, QByteArray(1'000'000, 'x')));
    const MemoryBuffer buffer = randomBuffer(10, 1);
    const SaveOutcome outcome = saveSRecord(buffer, path);
    EXPECT_TRUE(outcome.saved) << outcome.reason.toStdString();
    EXPECT_EQ(fileBytes(path), sRecordText(buffer));

    // Tests run as root, where permission bits stop nothing; a folder in the way stops root too.
    const QString folderInTheWay = dir.filePath(QStringLiteral("folder.s19"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.s19")));
    const SaveOutcome failed = saveSRecord(buffer, folderInTheWay);
    EXPECT_FALSE(failed.saved);
    EXPECT_FALSE(failed.reason.isEmpty());
    EXPECT_TRUE(QFileInfo(folderInTheWay).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({QStringLiteral("folder.s19"), QStringLiteral("image.s19")}));
}
