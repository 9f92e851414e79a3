#include "core/files/TextDump.h"

#include "core/text/CharRules.h"
#include "core/text/HexText.h"

#include <QFile>

namespace zelko6 {

QByteArray buildTextDump(std::span<const uint8_t> bytes)
{
    const size_t rows = bytes.size() / 16;
    QByteArray out(static_cast<qsizetype>(rows * kDumpLineBytes), Qt::Uninitialized);
    char *p = out.data();
    for (size_t row = 0; row < rows; ++row) {
        const uint32_t address = static_cast<uint32_t>(row * 16);
        *p++ = '0';
        *p++ = 'x';
        for (int shift = 16; shift >= 0; shift -= 4) // five digits, cut like the grid's column
            *p++ = kHexUpper[(address >> shift) & 15];
        *p++ = '\t';
        const uint8_t *b = bytes.data() + row * 16;
        for (int i = 0; i < 16; ++i) {
            *p++ = '0';
            *p++ = 'x';
            *p++ = kHexUpper[b[i] >> 4];
            *p++ = kHexUpper[b[i] & 15];
            *p++ = '\t';
        }
        for (int i = 0; i < 16; ++i)
            *p++ = static_cast<char>(fillRuleByte(b[i]));
        *p++ = '\r';
        *p++ = '\n';
    }
    return out;
}

bool writeTextDump(const QString &path, std::span<const uint8_t> bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray dump = buildTextDump(bytes);
    return file.write(dump) == dump.size() && file.flush();
}

} // namespace zelko6
