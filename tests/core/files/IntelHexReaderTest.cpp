// The lenient reader: record rules, stops, line ends, long lines, streaming, and the round trip.

#include "core/files/ImageTestSupport.h"
#include "core/files/IntelHex.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

using namespace zelko6;
using namespace zelko6::test;
using Status = HexLoadOutcome::Status;

namespace {

// A record with its checksum, built the way the program itself builds checksums.
QByteArray rec(const char *withoutChecksum)
{
    QString text = QString::fromLatin1(withoutChecksum);
    AppendHexChecksum(text);
    return text.toLatin1();
}

HexLoadOutcome load(const QByteArray &text, MemoryBuffer &buffer, int sizeExp)
{
    buffer.recreate(sizeExp);
    return readIntelHex(text, buffer);
}

} // namespace

TEST(IntelHexReader, DataRecordsStoreExactlyTheirBytes)
{
    MemoryBuffer buffer;
    EXPECT_TRUE(load(joined({rec(":0400100001020304")}), buffer, 8).complete());
    expectImage(buffer, {{0x10, 1}, {0x11, 2}, {0x12, 3}, {0x13, 4}});

    // The checksum byte after three data bytes is not a fourth byte.
    EXPECT_TRUE(load(joined({rec(":03002000AABBCC")}), buffer, 8).complete());
    expectImage(buffer, {{0x20, 0xAA}, {0x21, 0xBB}, {0x22, 0xCC}});

    // A record may run past U + 0xFFFF into the next 64 KiB.
    EXPECT_TRUE(load(joined({rec(":03FFFF00010203")}), buffer, 17).complete());
    expectImage(buffer, {{0xFFFF, 1}, {0x10000, 2}, {0x10001, 3}});
}

TEST(IntelHexReader, FieldsReadLikeHexWordValue)
{
    MemoryBuffer buffer;
    // Lower case, a wrong checksum, non-digits counting 0, and fields cut short by the line end.
    EXPECT_TRUE(load(joined({":02001000abcd00", ":02001200G1zZ", ":03001400A", ":0"}), buffer, 8).complete());
    expectImage(buffer,
                {{0x10, 0xAB}, {0x11, 0xCD}, {0x12, 0x01}, {0x13, 0x00}, {0x14, 0x0A}, {0x15, 0}, {0x16, 0}});
}

TEST(IntelHexReader, OnlyDataAndProperExtendedAddressRecordsCount)
{
    MemoryBuffer buffer;
    const HexLoadOutcome outcome = load(joined({
                                            rec(":020000040001"), // U = 0x10000
                                            rec(":0100000011"),
                                            ":0200000400007B", // accepted whatever its checksum: U = 0
                                            rec(":0100010022"),
                                            rec(":0400000400010000"), // count 4: ignored
                                            rec(":0200100400010000"), // address not 0: ignored
                                            rec(":0100020033"),       // still U = 0
                                            rec(":0400000500000000"),
                                            rec(":020000030000"),
                                            rec(":0100030044"),
                                            rec(":00000001"), // the end record stops nothing
                                            rec(":0100040055"),
                                            "not a record",
                                            "",
                                            " :0100050066",
                                            ";:0100050066",
                                        }),
                                        buffer, 17);
    EXPECT_TRUE(outcome.complete());
    expectImage(buffer, {{0x10000, 0x11}, {1, 0x22}, {2, 0x33}, {3, 0x44}, {4, 0x55}});
}

TEST(IntelHexReader, ExtendedSegmentAddressesPlaceTheDataThatFollows)
{
    MemoryBuffer buffer;
    EXPECT_TRUE(load(joined({rec(":020000021000"), // segment 0x1000: base 0x10000
                             rec(":0100020011"), rec(":020000020001"), rec(":0100020022"),
                             rec(":020001020002"), // address not 0: ignored
                             rec(":0100030033")}),
                     buffer, 17)
                    .complete());
    expectImage(buffer, {{0x10002, 0x11}, {0x12, 0x22}, {0x13, 0x33}});
}

TEST(IntelHexReader, StopsWhereTheFileNoLongerFits)
{
    // A 256-byte image on a 128-byte chip: the record for 0x80 (line 1 + 8 + 1) ends the load.
    const MemoryBuffer image = randomBuffer(8, 11);
    MemoryBuffer buffer;
    HexLoadOutcome outcome = load(intelHexText(image), buffer, 7);
    EXPECT_EQ(outcome.status, Status::DoesNotFit);
    EXPECT_EQ(outcome.line, 1 + 128 / 16 + 1);
    EXPECT_EQ(outcome.address, 128);
    EXPECT_EQ(bufferBytes(buffer), bufferBytes(image).left(128));

    // Bytes of the stopping record that fit stay; nothing after the stop is read.
    outcome = load(joined({rec(":04007E00A1A2A3A4"), rec(":0100000055")}), buffer, 7);
    EXPECT_EQ(outcome.status, Status::DoesNotFit);
    EXPECT_EQ(outcome.line, 1);
    EXPECT_EQ(outcome.address, 0x80);
    expectImage(buffer, {{0x7E, 0xA1}, {0x7F, 0xA2}});

    // An upper offset of 0x8000 or more stops; 0x7FFF is taken but its data cannot fit.
    outcome = load(joined({rec(":0100000011"), rec(":020000048000"), rec(":0100010022")}), buffer, 17);
    EXPECT_EQ(outcome.status, Status::DoesNotFit);
    EXPECT_EQ(outcome.line, 2);
    expectImage(buffer, {{0, 0x11}});
    outcome = load(joined({rec(":020000047FFF"), rec(":0100000011")}), buffer, 17);
    EXPECT_EQ(outcome.status, Status::DoesNotFit);
    EXPECT_EQ(outcome.address, 0x7FFF0000);
}

TEST(IntelHexReader, EveryLineEndEndsALine)
{
    const QByteArrayList lines = {rec(":0100000011"), rec(":0100010022"), rec(":0100800033")};
    for (const QByteArray &end : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r")}) {
        SCOPED_TRACE(end.toHex().constData());
        MemoryBuffer buffer;
        const HexLoadOutcome outcome = load(joined(lines, end), buffer, 7);
        EXPECT_EQ(outcome.status, Status::DoesNotFit);
        EXPECT_EQ(outcome.line, 3);
        expectImage(buffer, {{0, 0x11}, {1, 0x22}});
    }
    // Mixed ends, blank lines counted, and a last line without any line end.
    MemoryBuffer buffer;
    const QByteArray mixed = lines[0] + "\r" + lines[1] + "\n\r\n\r" + lines[2];
    EXPECT_EQ(load(mixed, buffer, 7).line, 5);
    EXPECT_EQ(load(mixed, buffer, 8), (HexLoadOutcome{Status::Complete, 5, 0, {}}));
    expectImage(buffer, {{0, 0x11}, {1, 0x22}, {0x80, 0x33}});
}

TEST(IntelHexReader, VeryLongLinesAreReadByTheirUsefulPrefix)
{
    // Multi-megabyte lines: a full 255-byte record with a tail, a record line of nothing but
    // digits (count, address and type 0xFF: ignored), a line that is no record, and short records
    // with long tails; the lines after them must still count.
    const QByteArray tail(8 * 1024 * 1024, 'F');
    const QByteArray fullRecord = rec(QByteArray(":FF000000" + QByteArray(2 * 255, '7')).constData());
    MemoryBuffer buffer;
    const HexLoadOutcome outcome = load(joined({fullRecord + tail, ":" + tail, "x" + tail,
                                                rec(":0400100001020304") + tail, rec(":0101000099")}),
                                        buffer, 9);
    EXPECT_TRUE(outcome.complete());
    EXPECT_EQ(outcome.line, 5);
    std::map<size_t, uint8_t> expected{{0x100, 0x99}};
    for (size_t a = 0; a < 255; ++a)
        expected[a] = a >= 0x10 && a <= 0x13 ? uint8_t(a - 0x0F) : 0x77;
    expectImage(buffer, expected);
}

// The file arrives in pieces of any size; a CR LF split between two pieces is still one line end.
TEST(IntelHexReader, PiecesGiveTheSameResultAsTheWhole)
{
    const QByteArray text = rec(":0100000011") + "\r\n\r\n" + rec(":0100010022") + "\r" + rec(":0200020033") +
                            "\n" + rec(":020000040000") + "\r\n" + rec(":0400FF0044");
    for (const int sizeExp : {7, 8}) {
        MemoryBuffer whole;
        const HexLoadOutcome expected = load(text, whole, sizeExp);
        for (qsizetype step = 1; step <= 7; ++step) {
            MemoryBuffer pieces;
            pieces.recreate(sizeExp);
            IntelHexReader reader(pieces);
            for (qsizetype at = 0; at < text.size(); at += step)
                reader.feed(QByteArrayView(text).sliced(at, std::min(step, text.size() - at)));
            EXPECT_EQ(reader.finish(), expected) << "pieces of " << step;
            EXPECT_EQ(bufferBytes(pieces), bufferBytes(whole)) << "pieces of " << step;
        }
    }
}

TEST(IntelHexReader, FileThatCannotBeReadToItsEnd)
{
    MemoryBuffer buffer;
    buffer.recreate(8);
    // The third line is cut off by the failure: it is not a complete line, so it is not used.
    FailingDevice device(joined({rec(":0100000011"), rec(":0100010022")}) + rec(":0100020033"));
    const HexLoadOutcome outcome = readIntelHex(device, buffer);
    EXPECT_EQ(outcome.status, Status::Unreadable);
    EXPECT_EQ(outcome.line, 3);
    EXPECT_EQ(outcome.reason, QStringLiteral("connection lost"));
    expectImage(buffer, {{0, 0x11}, {1, 0x22}});

    QTemporaryDir dir;
    buffer.recreate(8);
    EXPECT_EQ(loadIntelHex(dir.filePath(QStringLiteral("absent.hex")), buffer).status, Status::Unreadable);
    EXPECT_EQ(loadIntelHex(dir.path(), buffer).status, Status::Unreadable);
    expectImage(buffer, {});
}

// Every chip size: what the writer saves, the reader loads back exactly, through real files.
TEST(IntelHexRoundTrip, EveryChipSizeWithRandomContents)
{
    QTemporaryDir dir;
    for (int sizeExp = 4; sizeExp <= 17; ++sizeExp) {
        SCOPED_TRACE(sizeExp);
        const MemoryBuffer image = randomBuffer(sizeExp, unsigned(sizeExp));
        const QString path = dir.filePath(QStringLiteral("round%1.hex").arg(sizeExp));
        ASSERT_TRUE(saveIntelHex(image, path).saved);
        MemoryBuffer buffer;
        buffer.recreate(sizeExp);
        const HexLoadOutcome outcome = loadIntelHex(path, buffer);
        EXPECT_TRUE(outcome.complete()) << outcome.reason.toStdString();
        EXPECT_EQ(outcome.line, qint64(image.size() / 16 + 2 + (image.size() - 1) / 0x10000));
        EXPECT_EQ(bufferBytes(buffer), bufferBytes(image));
    }
}
