#include "core/text/CodePage932.h"

namespace zelko6 {

std::optional<QChar> singleByteChar(uint8_t code)
{
    if (code < 0x80)
        return QChar(code);
    if (code >= 0xA1 && code <= 0xDF)
        return QChar(char16_t(0xFF61 + (code - 0xA1)));
    return std::nullopt;
}

std::optional<uint8_t> singleByteCode(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return static_cast<uint8_t>(u);
    if (u >= 0xFF61 && u <= 0xFF9F)
        return static_cast<uint8_t>(0xA1 + (u - 0xFF61));
    return std::nullopt;
}

} // namespace zelko6
