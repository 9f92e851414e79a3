#include "core/buffer/EditorRules.h"

#include <cmath>

namespace zelko6 {

std::optional<double> decimalBoxNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    int points = 0;
    int digits = 0;
    for (QChar c : trimmed) {
        if (c == u'.')
            ++points;
        else if (c >= u'0' && c <= u'9')
            ++digits;
        else
            return std::nullopt; // signs, letters, inner blanks
    }
    if (points > 1 || digits == 0)
        return std::nullopt;
    return trimmed.toDouble();
}

std::optional<uint8_t> decimalBoxByte(const QString &text)
{
    const auto number = decimalBoxNumber(text);
    if (!number)
        return std::nullopt;
    const double rounded = std::nearbyint(*number); // half to even
    if (rounded > 255.0)
        return std::nullopt;
    return static_cast<uint8_t>(rounded);
}

HexKeyDecision hexKeyFilter(QChar typed)
{
    const QChar upper = typed.toUpper();
    if ((upper >= u'0' && upper <= u'9') || (upper >= u'A' && upper <= u'F'))
        return {upper == typed ? HexKey::Accept : HexKey::Replace, upper};
    if (typed == u'\b')
        return {HexKey::PassThrough, {}};
    return {HexKey::Discard, {}};
}

} // namespace zelko6
