// The lenient S-record reader: record types and address widths, stops, long lines, and the round
// trip through the writer. How lines end, pieces and failing devices are read is shared with the
// Intel HEX reader (see RecordDamageTest and IntelHexReaderTest).

#include "core/files/ImageTestSupport.h"
#include "core/files/SRecord.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelko6;
using namespace zelko6::test;
using Status = HexLoadOutcome::Status;

namespace {

// "S", the type and the digits up to the checksum; the checksum is appended, computed here.
QByteArray srec(const char *withoutChecksum)
{
    const QByteArray text(withoutChecksum);
    unsigned sum = 0;
    for (const char byte : QByteArray::fromHex(text.mid(2)))
        sum += uint8_t(byte);
    return text + QByteArray::number(~sum & 255, 16).rightJustified(2, '0').toUpper();
}

HexLoadOutcome load(const QByteArray &text, MemoryBuffer &buffer, int sizeExp)
{
    buffer.recreate(sizeExp);
    return readSRecord(text, buffer);
}

} // namespace

TEST(SRecordReader, EveryAddressWidthPlacesItsBytes)
{
    EXPECT_EQ(srec("S107001001020304"), "S107001001020304DE") << "the helper agrees with a hand-made record";
    MemoryBuffer buffer;
    const HexLoadOutcome outcome =
        load(joined({srec("S00500004142"), srec("S107001001020304"), srec("S206010010AABB"),
                     srec("S30600000020CC"), srec("S5030003"), srec("S9030000")}),
             buffer, 17);
    EXPECT_EQ(outcome, (HexLoadOutcome{Status::Complete, 6, 0, {}}));
    EXPECT_FALSE(outcome.damage.found());
    expectImage(buffer,
                {{0x10, 1}, {0x11, 2}, {0x12, 3}, {0x13, 4}, {0x10010, 0xAA}, {0x10011, 0xBB}, {0x20, 0xCC}});

    // A record may run past 0xFFFF into the next 64 KiB; the checksum is not a data byte.
    EXPECT_TRUE(load(joined({srec("S106FFFF010203"), srec("S9030000")}), buffer, 17).complete());
    expectImage(buffer, {{0xFFFF, 1}, {0x10000, 2}, {0x10001, 3}});
}

TEST(SRecordReader, LowerCaseOtherRecordsAndLinesThatAreNoRecords)
{
    MemoryBuffer buffer;
    const HexLoadOutcome outcome = load(joined({
                                            "s1050020abcd" + srec("S1050020ABCD").right(2).toLower(),
                                            srec("S0030000"),
                                            srec("S604000003"),     // a 24-bit count
                                            srec("S40600000030EE"), // reserved: ignored
                                            srec("S9030000"),       // the end stops nothing
                                            srec("S1040030DD"),
                                            "not a record",
                                            "",
                                            " S1040031EE1D",
                                            "Saved by hand",
                                        }),
                                        buffer, 8);
    EXPECT_TRUE(outcome.complete());
    EXPECT_EQ(outcome.line, 10);
    EXPECT_FALSE(outcome.damage.found()) << int(outcome.damage.kind) << " at " << outcome.damage.line;
    expectImage(buffer, {{0x20, 0xAB}, {0x21, 0xCD}, {0x30, 0xDD}});
}

TEST(SRecordReader, StopsWhereTheFileNoLongerFits)
{
    // A 256-byte image on a 128-byte chip: the record for 0x80 (header + 8 + 1) ends the load.
    const MemoryBuffer image = randomBuffer(8, 11);
    MemoryBuffer buffer;
    HexLoadOutcome outcome = load(sRecordText(image), buffer, 7);
    EXPECT_EQ(outcome.status, Status::DoesNotFit);
    EXPECT_EQ(outcome.line, 1 + 128 / 16 + 1);
    EXPECT_EQ(outcome.address, 128);
    EXPECT_EQ(bufferBytes(buffer), bufferBytes(image).left(128));

    // Bytes of the stopping record that fit stay; nothing after the stop is read.
    outcome = load(joined({srec("S107007EA1A2A3A4"), srec("S104000055")}), buffer, 7);
    EXPECT_EQ(outcome.status, Status::DoesNotFit);
    EXPECT_EQ(outcome.line, 1);
    EXPECT_EQ(outcome.address, 0x80);
    expectImage(buffer, {{0x7E, 0xA1}, {0x7F, 0xA2}});

    // A 32-bit address far beyond any chip is named as it is.
    outcome = load(joined({srec("S104000011"), srec("S306FFFFFFF022")}), buffer, 17);
    EXPECT_EQ(outcome.status, Status::DoesNotFit);
    EXPECT_EQ(outcome.line, 2);
    EXPECT_EQ(outcome.address, 0xFFFFFFF0);
    expectImage(buffer, {{0, 0x11}});
}

TEST(SRecordReader, VeryLongLinesAreReadByTheirUsefulPrefix)
{
    // Multi-megabyte lines: the longest record (count 255, 250 data bytes) with a tail, a header
    // of nothing but "F" digits, a line that is no record; the lines after them must still count.
    const QByteArray tail(8 * 1024 * 1024, 'F');
    const QByteArray fullRecord = srec(QByteArray("S3FF00000000" + QByteArray(2 * 250, '7')).constData());
    MemoryBuffer buffer;
    const HexLoadOutcome outcome =
        load(joined({fullRecord + tail, "S0" + tail, "x" + tail, srec("S104010099"), srec("S9030000")}),
             buffer, 9);
    EXPECT_TRUE(outcome.complete());
    EXPECT_EQ(outcome.line, 5);
    std::map<size_t, uint8_t> expected{{0x100, 0x99}};
    for (size_t a = 0; a < 250; ++a)
        expected[a] = 0x77;
    expectImage(buffer, expected);
    // Its 256 bytes of 0xFF sum to 0x00, not 0xFF; the tail after a whole record is not judged.
    EXPECT_EQ(outcome.damage, (FileDamage{FileDamage::Kind::WrongChecksum, 2}));
}

// Every chip size: what the writer saves, the reader loads back exactly and undamaged.
TEST(SRecordRoundTrip, EveryChipSizeWithRandomContents)
{
    QTemporaryDir dir;
    for (int sizeExp = 4; sizeExp <= 17; ++sizeExp) {
        SCOPED_TRACE(sizeExp);
        const MemoryBuffer image = randomBuffer(sizeExp, unsigned(sizeExp));
        const QString path = dir.filePath(QStringLiteral("round%1.s19").arg(sizeExp));
        ASSERT_TRUE(saveSRecord(image, path).saved);
        MemoryBuffer buffer;
        buffer.recreate(sizeExp);
        const HexLoadOutcome outcome = loadSRecord(path, buffer);
        EXPECT_TRUE(outcome.complete()) << outcome.reason.toStdString();
        EXPECT_FALSE(outcome.damage.found());
        EXPECT_EQ(outcome.line, qint64(image.size() / 16 + 2));
        EXPECT_EQ(bufferBytes(buffer), bufferBytes(image));
    }
}
