#include "core/base/Settings.h"

#include <QFileInfo>
#include <QSettings>

namespace zelko6 {

// QSettings' default format, which is the native one (a file on Linux, the registry on Windows)
// unless a test has chosen files.
struct QtSettingsStore::Impl {
    QSettings settings{QSettings::defaultFormat(), QSettings::UserScope, kSettingsName, kSettingsName};
};

QString userSettingsFolder()
{
    const QSettings settings{QSettings::defaultFormat(), QSettings::UserScope, kSettingsName, kSettingsName};
    return QFileInfo(settings.fileName()).absolutePath();
}

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

} // namespace zelko6
