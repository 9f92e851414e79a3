#include "core/files/BinaryImage.h"

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <algorithm>
#include <cstring>

namespace zelko6 {

BinaryLoadOutcome readBinary(QIODevice &device, MemoryBuffer &buffer)
{
    using Status = BinaryLoadOutcome::Status;
    // One byte more than fits is enough to refuse, without reading a huge file whole.
    const qint64 wanted = static_cast<qint64>(buffer.size()) + 1;
    QByteArray bytes(wanted, Qt::Uninitialized);
    qint64 got = 0;
    while (got < wanted) {
        const qint64 n = device.read(bytes.data() + got, wanted - got);
        if (n < 0)
            return {Status::Unreadable, got, device.errorString()};
        if (n == 0)
            break;
        got += n;
    }
    if (got == wanted)
        return {Status::Longer, std::max(got, device.size()), {}};
    if (got > 0)
        std::memcpy(buffer.data(), bytes.constData(), static_cast<size_t>(got));
    std::fill(buffer.data() + got, buffer.data() + buffer.size(), kErasedByte);
    return {static_cast<size_t>(got) == buffer.size() ? Status::Exact : Status::Shorter, got, {}};
}

BinaryLoadOutcome loadBinary(const QString &path, MemoryBuffer &buffer)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {BinaryLoadOutcome::Status::Unreadable, 0, file.errorString()};
    return readBinary(file, buffer);
}

QByteArray binaryText(const MemoryBuffer &buffer)
{
    return QByteArray(reinterpret_cast<const char *>(buffer.data()), static_cast<qsizetype>(buffer.size()));
}

SaveOutcome saveBinary(const MemoryBuffer &buffer, const QString &path)
{
    return saveFileAtomically(path, QByteArrayView(reinterpret_cast<const char *>(buffer.data()),
                                                   static_cast<qsizetype>(buffer.size())));
}

} // namespace zelko6
