#include "core/text/CharRules.h"

#include "core/text/CodePage932.h"

namespace zelko6 {

uint8_t fillRuleByte(uint8_t b)
{
    const bool shown = (b >= 0x21 && b <= 0x7F) || (b >= 0xA0 && b <= 0xDF);
    return (shown && b != 0x22 && b != 0x2C) ? b : kMiddleDotByte;
}

uint8_t editRuleByte(uint8_t b)
{
    const bool shown = (b >= 0x20 && b <= 0x7F) || (b >= 0xA0 && b <= 0xDF);
    return shown ? b : kMiddleDotByte;
}

QChar displayChar(uint8_t shownByte)
{
    if (shownByte == 0x7F || shownByte == 0xA0)
        return QChar(kMiddleDot);
    return singleByteChar(shownByte).value_or(QChar(kMiddleDot));
}

QChar selectionRuleChar(uint8_t b)
{
    return (b >= 0x20 && b <= 0x7E) ? QChar(b) : QChar(kMiddleDot);
}

} // namespace zelko6
