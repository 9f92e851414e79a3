// Damaged record files, Intel HEX and S-record alike: they still load as leniently as ever, and
// the outcome names the first damage and its line, so that nobody writes them into a chip
// believing them whole.

#include "core/files/ImageTestSupport.h"
#include "core/files/IntelHex.h"
#include "core/files/SRecord.h"

#include <gtest/gtest.h>
#include <memory>

using namespace zelko6;
using namespace zelko6::test;
using Kind = FileDamage::Kind;
using Status = HexLoadOutcome::Status;

namespace {

struct Format {
    const char *name;
    QByteArray (*text)(const MemoryBuffer &);
    HexLoadOutcome (*read)(QByteArrayView, MemoryBuffer &);
    HexLoadOutcome (*readDevice)(QIODevice &, MemoryBuffer &);
    std::unique_ptr<HexRecordReader> (*reader)(MemoryBuffer &);
    int firstDataColumn; // where a data record's first data digit stands (0-based)
    uint8_t cutOffByte;  // what a byte whose digits a cut line lacks reads as
};

template <class Reader> std::unique_ptr<HexRecordReader> readerOf(MemoryBuffer &buffer)
{
    return std::make_unique<Reader>(buffer);
}

const Format kFormats[] = {
    // The Intel HEX reader has always read missing digits as zeros.
    {"IntelHex", intelHexText, readIntelHex, readIntelHex, readerOf<IntelHexReader>, 9, 0x00},
    {"SRecord", sRecordText, readSRecord, readSRecord, readerOf<SRecordReader>, 8, 0xFF},
};

[[maybe_unused]] void PrintTo(const Format &format, std::ostream *out)
{
    *out << format.name;
}

// 256 bytes: the first line is the format's opening record, lines 2 to 17 the data records
// (line n holds the 16 bytes from (n - 2) * 16), line 18 the end record.
constexpr int kSizeExp = 8;
constexpr int kLastDataLine = 17;

class RecordDamage : public ::testing::TestWithParam<Format> {
  protected:
    RecordDamage() : image_(randomBuffer(kSizeExp, 21)), lines_(crLfLines(GetParam().text(image_))) {}

    HexLoadOutcome load(const QByteArray &text, int sizeExp = kSizeExp)
    {
        buffer_.recreate(sizeExp);
        return GetParam().read(text, buffer_);
    }
    static FileDamage damage(Kind kind, int64_t line) { return {kind, line}; }
    QByteArray dataByte(size_t address) const
    {
        return QByteArray::number(image_[address], 16).rightJustified(2, '0').toUpper();
    }

    const MemoryBuffer image_;
    const QByteArrayList lines_;
    MemoryBuffer buffer_;
};

} // namespace

TEST_P(RecordDamage, AWrongChecksumLoadsAsItReadsAndIsNamedWithItsLine)
{
    // A data digit changed on line 5 (address 0x30): the byte loads as the file says.
    QByteArrayList lines = lines_;
    const int column = GetParam().firstDataColumn;
    const char changed = lines[4][column] == '0' ? '1' : '0';
    lines[4][column] = changed;
    HexLoadOutcome outcome = load(joined(lines));
    EXPECT_TRUE(outcome.complete());
    EXPECT_EQ(outcome.damage, damage(Kind::WrongChecksum, 5));
    EXPECT_EQ(buffer_[0x30], QByteArray::fromHex(lines[4].mid(column, 2)).at(0) & 0xFF);
    EXPECT_NE(buffer_[0x30], image_[0x30]);

    // The checksum itself wrong on line 3: every byte is the image's.
    lines = lines_;
    lines[2].back() = lines[2].back() == 'A' ? 'B' : 'A';
    outcome = load(joined(lines, "\n"));
    EXPECT_EQ(outcome.damage, damage(Kind::WrongChecksum, 3));
    EXPECT_EQ(bufferBytes(buffer_), bufferBytes(image_));
}

TEST_P(RecordDamage, ARecordCutOffIsNamedAndItsWholeBytesStay)
{
    // Line 7 (address 0x50) ends after three data bytes.
    QByteArrayList lines = lines_;
    lines[6].truncate(GetParam().firstDataColumn + 6);
    HexLoadOutcome outcome = load(joined(lines));
    EXPECT_TRUE(outcome.complete());
    EXPECT_EQ(outcome.damage, damage(Kind::CutOff, 7));
    QByteArray expected = bufferBytes(image_);
    expected.replace(0x53, 13, QByteArray(13, char(GetParam().cutOffByte)));
    EXPECT_EQ(bufferBytes(buffer_), expected);

    // A copy that broke off in the middle of line 10: the cut is the first damage, and no
    // "no end" is added to it.
    const QByteArray text = joined(lines_);
    const qsizetype lineTen = text.indexOf(lines_[9]);
    outcome = load(text.left(lineTen + 20));
    EXPECT_EQ(outcome.line, 10);
    EXPECT_EQ(outcome.damage, damage(Kind::CutOff, 10));

    // A record ending right after its count.
    lines = lines_;
    lines[1].truncate(GetParam().firstDataColumn - 4);
    EXPECT_EQ(load(joined(lines)).damage, damage(Kind::CutOff, 2));
}

TEST_P(RecordDamage, NoEndRecordIsNamedWithTheLastLine)
{
    QByteArrayList lines = lines_;
    lines.removeLast();
    HexLoadOutcome outcome = load(joined(lines));
    EXPECT_TRUE(outcome.complete());
    EXPECT_EQ(outcome.damage, damage(Kind::NoEnd, kLastDataLine));
    EXPECT_EQ(bufferBytes(buffer_), bufferBytes(image_));

    // Blank lines after the last record count as lines of the file.
    outcome = load(joined(lines) + "\r\n\r\n");
    EXPECT_EQ(outcome.damage, damage(Kind::NoEnd, kLastDataLine + 2));
}

TEST_P(RecordDamage, NoDataRecordIsNamedWithTheLastLine)
{
    // The opening and the end record alone.
    HexLoadOutcome outcome = load(joined({lines_.front(), lines_.back()}));
    EXPECT_TRUE(outcome.complete());
    EXPECT_EQ(outcome.damage, damage(Kind::NoData, 2));
    EXPECT_EQ(bufferBytes(buffer_), bufferBytes(erasedBuffer(kSizeExp)));

    // An empty file, and a binary chosen by mistake (without the characters that start records,
    // so that none of its lines looks like one): nothing loads, and that is said.
    EXPECT_EQ(load(QByteArray()).damage, damage(Kind::NoData, 0));
    QByteArray binary = bufferBytes(randomBuffer(12, 4));
    for (char &c : binary)
        if (c == ':' || c == 'S' || c == 's')
            c = '\0';
    const QByteArray lineEnds = QByteArray(binary).replace("\r\n", "\n");
    const qsizetype lineCount = lineEnds.count('\n') + lineEnds.count('\r') +
                                (binary.endsWith('\n') || binary.endsWith('\r') ? 0 : 1);
    outcome = load(binary);
    EXPECT_TRUE(outcome.complete());
    EXPECT_EQ(outcome.damage, damage(Kind::NoData, lineCount));
    EXPECT_EQ(bufferBytes(buffer_), bufferBytes(erasedBuffer(kSizeExp)));
}

TEST_P(RecordDamage, TheFirstDamagedLineIsTheOneNamed)
{
    // A wrong checksum on line 9 after a cut on line 4: line 4.
    QByteArrayList lines = lines_;
    lines[8].back() = lines[8].back() == '1' ? '2' : '1';
    lines[3].chop(3);
    EXPECT_EQ(load(joined(lines)).damage, damage(Kind::CutOff, 4));
    // A record's damage comes before the missing end the file has as well.
    lines = lines_;
    lines[8].back() = lines[8].back() == '1' ? '2' : '1';
    lines.removeLast();
    EXPECT_EQ(load(joined(lines)).damage, damage(Kind::WrongChecksum, 9));
}

TEST_P(RecordDamage, AStopKeepsTheDamageFoundBeforeItAndJudgesNoEnd)
{
    // The 256-byte file on a 128-byte chip stops at line 10.
    QByteArrayList lines = lines_;
    lines[2].back() = lines[2].back() == 'A' ? 'B' : 'A';
    HexLoadOutcome outcome = load(joined(lines), kSizeExp - 1);
    EXPECT_EQ(outcome.status, Status::DoesNotFit);
    EXPECT_EQ(outcome.line, 10);
    EXPECT_EQ(outcome.damage, damage(Kind::WrongChecksum, 3));

    lines = lines_;
    lines.removeLast();
    outcome = load(joined(lines), kSizeExp - 1);
    EXPECT_EQ(outcome.status, Status::DoesNotFit);
    EXPECT_FALSE(outcome.damage.found()) << "the file was not read to where its end would be";
}

// The file arrives in pieces of any size; a CR LF split between two pieces is still one line end.
TEST_P(RecordDamage, PiecesGiveTheSameOutcomeAndDamageAsTheWhole)
{
    // Line 5 cut, line 8 with a wrong checksum, blank lines, every line end, no end record.
    QByteArrayList lines = lines_;
    lines[4].chop(5);
    lines[7].back() = lines[7].back() == 'A' ? 'B' : 'A';
    lines.removeLast();
    const QByteArray text = lines.mid(0, 6).join("\r\n") + "\r\n\r\n" + lines.mid(6, 4).join('\r') + "\n" +
                            lines.mid(10).join('\n');
    for (const int sizeExp : {kSizeExp - 1, kSizeExp}) {
        const HexLoadOutcome expected = load(text, sizeExp);
        EXPECT_EQ(expected.damage, damage(Kind::CutOff, 5));
        for (qsizetype step = 1; step <= 7; ++step) {
            MemoryBuffer pieces;
            pieces.recreate(sizeExp);
            const auto reader = GetParam().reader(pieces);
            for (qsizetype at = 0; at < text.size(); at += step)
                reader->feed(QByteArrayView(text).sliced(at, std::min(step, text.size() - at)));
            const HexLoadOutcome outcome = reader->finish();
            EXPECT_EQ(outcome, expected) << "pieces of " << step;
            EXPECT_EQ(outcome.damage, expected.damage) << "pieces of " << step;
            EXPECT_EQ(bufferBytes(pieces), bufferBytes(buffer_)) << "pieces of " << step;
        }
    }
}

// A file that breaks off is told as unreadable; the damage before the break stays, and a file not
// read to its end is not judged for having none.
TEST_P(RecordDamage, AFileThatCannotBeReadToItsEnd)
{
    QByteArrayList lines = lines_;
    lines[1].back() = lines[1].back() == 'A' ? 'B' : 'A';
    FailingDevice device(joined(lines.mid(0, 4)) + lines[4]);
    buffer_.recreate(kSizeExp);
    HexLoadOutcome outcome = GetParam().readDevice(device, buffer_);
    EXPECT_EQ(outcome.status, Status::Unreadable);
    EXPECT_EQ(outcome.line, 5);
    EXPECT_EQ(outcome.reason, QStringLiteral("connection lost"));
    EXPECT_EQ(outcome.damage, damage(Kind::WrongChecksum, 2));
    EXPECT_EQ(bufferBytes(buffer_).left(48), bufferBytes(image_).left(48)) << "lines 2 to 4";
    EXPECT_EQ(bufferBytes(buffer_).mid(48), QByteArray(256 - 48, '\xFF')) << "the broken line is not used";

    FailingDevice empty({});
    outcome = GetParam().readDevice(empty, buffer_);
    EXPECT_EQ(outcome.status, Status::Unreadable);
    EXPECT_FALSE(outcome.damage.found());
}

INSTANTIATE_TEST_SUITE_P(Formats, RecordDamage, ::testing::ValuesIn(kFormats),
                         [](const auto &info) { return std::string(info.param.name); });

// The Intel HEX reader's old leniency keeps loading what it always loaded, and is named now.
TEST(IntelHexDamage, TheLenientReadingsOfOddRecords)
{
    MemoryBuffer buffer;
    buffer.recreate(8);
    // Lower case with a right checksum, and an end record: nothing to say.
    HexLoadOutcome outcome = readIntelHex(":02001000abcd76\r\n:00000001ff\r\n", buffer);
    EXPECT_FALSE(outcome.damage.found());
    EXPECT_EQ(buffer[0x11], 0xCD);

    const struct {
        QByteArray text;
        FileDamage damage;
    } cases[] = {
        {":02001000abcd00\r\n:00000001FF\r\n", {Kind::WrongChecksum, 1}},
        {":00000001FF\r\n:03001400A\r\n", {Kind::CutOff, 2}},
        {":0\r\n", {Kind::CutOff, 1}},
        {":\r\n", {Kind::CutOff, 1}},
        {":0400100001020304\r\n:00000001FF\r\n", {Kind::CutOff, 1}}, // no checksum at all
        {":00001000F0\r\n:00000001FF\r\n", {Kind::NoData, 2}},       // a data record without data
        {":0100000011EE\r\n:00000001FE\r\n", {Kind::WrongChecksum, 2}},
    };
    for (const auto &c : cases) {
        buffer.recreate(8);
        outcome = readIntelHex(c.text, buffer);
        EXPECT_TRUE(outcome.complete()) << c.text.constData();
        EXPECT_EQ(outcome.damage, c.damage) << c.text.constData();
    }
    // Missing digits still read as zeros, and a lone digit as itself.
    buffer.recreate(8);
    readIntelHex(":03001400A\r\n", buffer);
    EXPECT_EQ(buffer[0x14], 0x0A);
    EXPECT_EQ(buffer[0x15], 0x00);
}

TEST(SRecordDamage, CountsAndEndsOfOtherTools)
{
    MemoryBuffer buffer;
    buffer.recreate(8);
    // A file ended by an S5 count and no termination record, as some tools write them.
    HexLoadOutcome outcome = readSRecord("S0030000FC\nS1050010ABCD72\nS5030001FB\n", buffer);
    EXPECT_FALSE(outcome.damage.found());
    EXPECT_EQ(buffer[0x10], 0xAB);

    const struct {
        QByteArray text;
        FileDamage damage;
        uint8_t at0x10; // 0xFF: nothing stored there
    } cases[] = {
        // A count too small for the address and checksum is a record that ends too soon.
        {"S1020010\nS9030000FC\n", {Kind::CutOff, 1}, 0xFF},
        // Half a pair is not a byte.
        {"S10700100102\nS9030000FC\n", {Kind::CutOff, 1}, 0x01},
        {"S9030000FC\nS1070010010\n", {Kind::CutOff, 2}, 0x01},
        {"S1050010ABCD00\nS9030000FC\n", {Kind::WrongChecksum, 1}, 0xAB},
        {"S0030000FC\r\nS9030000FC\r\n", {Kind::NoData, 2}, 0xFF},
        {"S1050010ABCD72\r\n", {Kind::NoEnd, 1}, 0xAB},
    };
    for (const auto &c : cases) {
        buffer.recreate(8);
        outcome = readSRecord(c.text, buffer);
        EXPECT_TRUE(outcome.complete()) << c.text.constData();
        EXPECT_EQ(outcome.damage, c.damage) << c.text.constData();
        EXPECT_EQ(buffer[0x10], c.at0x10) << c.text.constData();
    }
    buffer.recreate(8);
    readSRecord("S10700100102\n", buffer);
    EXPECT_EQ(buffer[0x11], 0x02);
    EXPECT_EQ(buffer[0x12], 0xFF) << "the checksum-less tail of a cut record loads nothing";
}
