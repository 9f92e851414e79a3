#include "app/SettingsStore.h"

#include <QSettings>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>

namespace zelko6 {

struct QtSettingsStore::Impl {
    QSettings settings{QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("ZELKO6"),
                       QStringLiteral("ZELKO6")};
};

QtSettingsStore::QtSettingsStore() : impl_(std::make_unique<Impl>()) {}
QtSettingsStore::~QtSettingsStore() = default;

static QString path(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

QString QtSettingsStore::get(const QString &section, const QString &key, const QString &defaultValue) const
{
    return impl_->settings.value(path(section, key), defaultValue).toString();
}

void QtSettingsStore::save(const QString &section, const QString &key, const QString &value)
{
    impl_->settings.setValue(path(section, key), value);
    impl_->settings.sync(); // written at the moment the choice is made: survives a crash
}

QString Settings::text(const SettingKey &k) const
{
    return store_.get(QLatin1String(k.section), QLatin1String(k.key), QLatin1String(k.defaultText));
}

void Settings::setText(const SettingKey &k, const QString &value)
{
    store_.save(QLatin1String(k.section), QLatin1String(k.key), value);
}

std::optional<float> Settings::single(const SettingKey &k) const
{
    return toSingle(text(k));
}
std::optional<int16_t> Settings::int16(const SettingKey &k) const
{
    return toInt16(text(k));
}

std::optional<bool> Settings::nonZero(const SettingKey &k) const
{
    const auto value = toSingle(text(k));
    if (!value)
        return std::nullopt;
    return *value != 0.0f;
}

void Settings::setSingle(const SettingKey &k, float value)
{
    setText(k, singleText(value));
}
void Settings::setInt(const SettingKey &k, int value)
{
    setText(k, QString::number(value));
}
void Settings::setBool(const SettingKey &k, bool value)
{
    setText(k, value ? QStringLiteral("True") : QStringLiteral("False"));
}

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
