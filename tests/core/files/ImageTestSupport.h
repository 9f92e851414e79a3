#pragma once
// Helpers shared by the Intel HEX and binary image tests.

#include "core/buffer/MemoryBuffer.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QFile>
#include <QString>
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

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace zelko6::test
