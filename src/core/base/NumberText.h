#pragma once
// Numbers typed by people or stored as text: the settings, the catalogue's columns, the firmware
// version. Decimal with "." as the point, surrounding blanks allowed.

#include <QString>
#include <cstdint>
#include <optional>

namespace zelko6 {

std::optional<float> toSingle(const QString &text);
// Whole numbers round a fraction half to even; out of range gives no value.
std::optional<int16_t> toInt16(const QString &text);
std::optional<int32_t> toInt32(const QString &text);

// The shortest decimal text that reads back as the same single-precision number.
QString singleText(float value);

} // namespace zelko6
