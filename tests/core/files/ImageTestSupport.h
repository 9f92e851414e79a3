#pragma once
// Helpers shared by the Intel HEX, S-record and binary image tests.

#include "core/buffer/MemoryBuffer.h"
#include "support/TestSupport.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QFile>
#include <QIODevice>
#include <QString>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace zelko6::test {

// A buffer of 2^sizeExp bytes with reproducible random contents (0xFF included, but rarely).
inline MemoryBuffer randomBuffer(int sizeExp, unsigned seed)
{
    MemoryBuffer buffer;
    buffer.recreate(sizeExp);
    std::mt19937 random(seed);
    for (size_t i = 0; i < buffer.size(); ++i)
        buffer[i] = static_cast<uint8_t>(random());
    return buffer;
}

inline MemoryBuffer erasedBuffer(int sizeExp)
{
    MemoryBuffer buffer;
    buffer.recreate(sizeExp);
    return buffer;
}

inline QByteArray bufferBytes(const MemoryBuffer &buffer)
{
    return QByteArray(reinterpret_cast<const char *>(buffer.data()), static_cast<qsizetype>(buffer.size()));
}

// The lines of a text whose lines all end in CR LF, without their line ends.
inline QByteArrayList crLfLines(QByteArray text)
{
    if (text.endsWith("\r\n"))
        text.chop(2);
    return text.replace("\r\n", "\n").split('\n');
}

// The lines, each ended by `lineEnd`.
inline QByteArray joined(const QByteArrayList &lines, const QByteArray &lineEnd = "\r\n")
{
    return lines.join(lineEnd) + lineEnd;
}

// Every address holds 0xFF except those listed.
inline void expectImage(const MemoryBuffer &buffer, const std::map<size_t, uint8_t> &bytes)
{
    for (size_t a = 0; a < buffer.size(); ++a) {
        const auto it = bytes.find(a);
        ASSERT_EQ(buffer[a], it == bytes.end() ? 0xFF : it->second) << "address " << a;
    }
}

// A device that hands out its text and then fails, like a file on a vanished network drive.
class FailingDevice final : public QIODevice {
  public:
    explicit FailingDevice(QByteArray text) : text_(std::move(text)) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (at_ == text_.size()) {
            setErrorString(QStringLiteral("connection lost"));
            return -1;
        }
        const qint64 n = std::min<qint64>({maxSize, text_.size() - at_, 5});
        std::memcpy(data, text_.constData() + at_, size_t(n));
        at_ += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

  private:
    QByteArray text_;
    qint64 at_ = 0;
};

} // namespace zelko6::test
