#include "core/text/CodePage932.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace zelko6 {

// Through Qt's codecs, which Debian's Qt takes from ICU.
// "windows-31j" is the code page itself (with its vendor rows), not plain Shift_JIS.
static constexpr const char *kCodecName = "windows-31j";

QByteArray encodeCp932(const QString &text)
{
    QStringEncoder encoder(kCodecName);
    return encoder.encode(text);
}

std::optional<QByteArray> encodeCp932Exactly(const QString &text)
{
    QStringEncoder encoder(kCodecName);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

QString decodeCp932(const QByteArray &bytes)
{
    QStringDecoder decoder(kCodecName);
    return decoder.decode(bytes);
}

} // namespace zelko6
