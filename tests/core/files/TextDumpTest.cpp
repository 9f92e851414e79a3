// The text dump, byte for byte.

#include "core/files/TextDump.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

using namespace zelko6;

namespace {

// An independent statement of one dump line.
QByteArray expectedLine(uint32_t address, const uint8_t *bytes)
{
    QByteArray line = "0x" + QByteArray::number(address, 16).toUpper().rightJustified(5, '0') + '\t';
    for (int i = 0; i < 16; ++i)
        line += "0x" + QByteArray::number(bytes[i], 16).toUpper().rightJustified(2, '0') + '\t';
    for (int i = 0; i < 16; ++i) {
        const uint8_t b = bytes[i];
        const bool itself = ((b > 0x20 && b < 0x80) || (b >= 0xA0 && b < 0xE0)) && b != '"' && b != ',';
        line += itself ? char(b) : char(0xA5);
    }
    return line + "\r\n";
}

QByteArray expectedDump(const std::vector<uint8_t> &bytes)
{
    QByteArray dump;
    for (size_t row = 0; row * 16 < bytes.size(); ++row)
        dump += expectedLine(static_cast<uint32_t>(row * 16), bytes.data() + row * 16);
    return dump;
}

} // namespace

TEST(TextDump, AClearedBufferOf128Bytes)
{
    const std::vector<uint8_t> bytes(128, 0xFF);
    const QByteArray dump = buildTextDump(bytes);
    EXPECT_EQ(dump.size(), 848);
    EXPECT_EQ(dump, expectedDump(bytes));
    EXPECT_EQ(dump.left(92),
              QByteArray("0x00000\t") + QByteArray("0xFF\t").repeated(16) + QByteArray(4, char(0xA5)));
}

TEST(TextDump, EveryByteValueAndTheLargestBuffer)
{
    std::vector<uint8_t> all(256);
    for (int i = 0; i < 256; ++i)
        all[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    const QByteArray dump = buildTextDump(all);
    EXPECT_EQ(dump, expectedDump(all));
    EXPECT_EQ(dump.mid(4 * 106 + 88 + 1, 1), QByteArray("A"));     // 0x41
    EXPECT_EQ(dump.mid(11 * 106 + 88 + 1, 1), QByteArray("\xB1")); // half-width katakana stays itself

    std::vector<uint8_t> big(size_t{1} << 17);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    const QByteArray bigDump = buildTextDump(big);
    EXPECT_EQ(bigDump.size(), 868352);
    EXPECT_EQ(bigDump, expectedDump(big));
}

TEST(TextDump, WritingReplacesTheFileOrReportsFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("temp.txt");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();
    const std::vector<uint8_t> bytes(16, 0x30);
    ASSERT_TRUE(writeTextDump(path, bytes));
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), expectedDump(bytes));
    EXPECT_FALSE(writeTextDump(dir.filePath("missing/temp.txt"), bytes));
}
