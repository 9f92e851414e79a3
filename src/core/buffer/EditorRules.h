#pragma once
// The byte editor's value rules, as plain functions over text.

#include <QChar>
#include <QString>
#include <optional>

namespace zelko6 {

// The decimal box: digits with surrounding blanks and an optional decimal point, a fraction
// rounded half to even. No value for a sign, an empty box or anything else.
std::optional<double> decimalBoxNumber(const QString &text);
std::optional<uint8_t> decimalBoxByte(const QString &text); // the number as a byte, 0..255 only

// What the hex box's key filter does with a typed character.
enum class HexKey { Accept, Replace, PassThrough, Discard };
struct HexKeyDecision {
    HexKey action;
    QChar replacement; // for Replace: the upper-case digit
};
HexKeyDecision hexKeyFilter(QChar typed);

} // namespace zelko6
