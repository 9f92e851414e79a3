#pragma once
// The per-user settings store: text values addressed by section and key, under the application
// name ZELKO6. Every key the program uses is listed here with its section and default.

#include "core/base/NumberText.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

namespace zelko6 {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The stored text, or the default's text when the key has never been written.
    virtual QString get(const QString &section, const QString &key, const QString &defaultValue) const = 0;
    virtual void save(const QString &section, const QString &key, const QString &value) = 0;
};

// The organisation and application name of the settings file.
inline const QString kSettingsName = QStringLiteral("ZELKO6");

// QSettings under organisation and application "ZELKO6" (on Linux ~/.config/ZELKO6/ZELKO6.conf).
class QtSettingsStore final : public SettingsStore {
  public:
    QtSettingsStore();
    ~QtSettingsStore() override;
    QString get(const QString &section, const QString &key, const QString &defaultValue) const override;
    void save(const QString &section, const QString &key, const QString &value) override;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The folder that holds QtSettingsStore's file (~/.config/ZELKO6 on Linux; wherever
// QSettings::setPath points it).
QString userSettingsFolder();

// One setting: where it lives and what a reader gets when it is absent.
struct SettingKey {
    const char *section;
    const char *key;
    const char *defaultText;
};

namespace keys {
inline constexpr SettingKey MainLeft{"Settings", "MainLeft", "1000"};
inline constexpr SettingKey MainTop{"Settings", "MainTop", "1000"};
inline constexpr SettingKey MainLeftBoard{"Settings", "MainLeft_Board", "1000"};
inline constexpr SettingKey MainTopBoard{"Settings", "MainTop_Board", "1000"};
inline constexpr SettingKey DUT{"Settings", "DUT", "0"};
inline constexpr SettingKey AccessSize{"Settings", "AccessSize", "0"};
inline constexpr SettingKey BoardInformation{"Settings6", "mnuBoardInfomation", ""};
inline constexpr SettingKey SaveDir{"Settings", "SAVE_DIR_ZELKO6", ""};
inline constexpr SettingKey OpenDir{"Settings", "OPEN_DIR_ZELKO6", ""};
inline constexpr SettingKey ComNo{"Settings", "ComNo", "0"};
inline constexpr SettingKey RTS{"Settings", "RTS", "1"};
inline constexpr SettingKey DTR{"Settings", "DTR", "0"};
inline constexpr SettingKey Language{"Settings", "Language", "ja"}; // "ja" or "en", the window's texts
// Section "Ports", keys "COM1".."COM20": an optional device path for each port number, read by
// PortResolver (programmer/) before it asks the system.
} // namespace keys

// Typed access over a store. A stored text that does not convert gives no value; the caller
// then keeps what it had (a broken position leaves the window where it was designed to be).
class Settings {
  public:
    explicit Settings(SettingsStore &store) : store_(store) {}

    QString text(const SettingKey &k) const;
    void setText(const SettingKey &k, const QString &value);

    std::optional<float> single(const SettingKey &k) const;  // positions in twips
    std::optional<int16_t> int16(const SettingKey &k) const; // list indices
    std::optional<bool> nonZero(const SettingKey &k) const;  // "RTS", "DTR"

    void setSingle(const SettingKey &k, float value);
    void setInt(const SettingKey &k, int value);
    void setBool(const SettingKey &k, bool value); // "True" / "False"

    SettingsStore &store() { return store_; }

  private:
    SettingsStore &store_;
};

} // namespace zelko6
