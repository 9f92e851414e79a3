#pragma once
// The longest files a tool can write for an image in each record format: every byte in a record of
// its own with the widest address the format has (in Intel HEX an extended linear address record
// before each one), CR LF after every line. Shared by the tests of the read bound and its benchmark.

#include "core/buffer/MemoryBuffer.h"

#include <QByteArray>
#include <initializer_list>

namespace zelko6::test {

// One record: its start, the bytes as digit pairs, then the checksum of those bytes.
inline void appendRecord(QByteArray &text, const char *start, std::initializer_list<unsigned> bytes,
                         bool onesComplement)
{
    unsigned sum = 0;
    text += start;
    for (unsigned byte : bytes) {
        sum += byte;
        text += QByteArray::number(byte & 255, 16).rightJustified(2, '0').toUpper();
    }
    const unsigned checksum = (onesComplement ? ~sum : ~sum + 1) & 255;
    text += QByteArray::number(checksum, 16).rightJustified(2, '0').toUpper() + "\r\n";
}

inline QByteArray longestIntelHex(const MemoryBuffer &image)
{
    QByteArray text;
    text.reserve(static_cast<qsizetype>(image.size() * 32 + 16));
    for (size_t address = 0; address < image.size(); ++address) {
        const unsigned upper = static_cast<unsigned>(address >> 16);
        const unsigned low = static_cast<unsigned>(address & 0xFFFF);
        appendRecord(text, ":", {2, 0, 0, 4, upper >> 8, upper & 255}, false);
        appendRecord(text, ":", {1, low >> 8, low & 255, 0, image[address]}, false);
    }
    return text + ":00000001FF\r\n";
}

inline QByteArray longestSRecord(const MemoryBuffer &image)
{
    QByteArray text;
    text.reserve(static_cast<qsizetype>(image.size() * 18 + 16));
    for (size_t address = 0; address < image.size(); ++address) {
        const auto a = static_cast<unsigned>(address);
        appendRecord(text, "S3", {6, a >> 24, (a >> 16) & 255, (a >> 8) & 255, a & 255, image[address]},
                     true);
    }
    return text + "S70500000000FA\r\n";
}

} // namespace zelko6::test
