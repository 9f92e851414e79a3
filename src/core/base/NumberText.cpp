#include "core/base/NumberText.h"

#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>

namespace zelko6 {

// Decimal text with optional surrounding blanks, sign, fraction and exponent; "." is the point.
static std::optional<double> toDouble(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<float> toSingle(const QString &text)
{
    const auto value = toDouble(text);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(*value);
}

// Whole-number conversions round a fraction half to even, as the program's other number boxes do.
template <typename Int> static std::optional<Int> toInteger(const QString &text)
{
    const auto value = toDouble(text);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value); // default rounding mode: half to even
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

std::optional<int16_t> toInt16(const QString &text)
{
    return toInteger<int16_t>(text);
}
std::optional<int32_t> toInt32(const QString &text)
{
    return toInteger<int32_t>(text);
}

QString singleText(float value)
{
    char text[32];
    const auto result = std::to_chars(std::begin(text), std::end(text), value);
    return QString::fromLatin1(text, static_cast<qsizetype>(result.ptr - text));
}

} // namespace zelko6
