#include "core/base/Settings.h"
#include "support/TestSupport.h"

#include <QSettings>
#include <QSysInfo>
#include <QUuid>
#include <gtest/gtest.h>

using namespace zelko6;

TEST(SettingsConversions, PositionsReadAsSinglePrecision)
{
    EXPECT_EQ(toSingle(QStringLiteral("1000")), 1000.0f);
    EXPECT_EQ(toSingle(QStringLiteral(" 1234.5 ")), 1234.5f);
    EXPECT_EQ(toSingle(QStringLiteral("-15")), -15.0f);
    EXPECT_FALSE(toSingle(QString()));
    EXPECT_FALSE(toSingle(QStringLiteral("abc")));
    EXPECT_FALSE(toSingle(QStringLiteral("1e40"))); // beyond single precision
}

TEST(SettingsConversions, IndicesReadAsSixteenBitIntegersRoundingHalfToEven)
{
    EXPECT_EQ(toInt16(QStringLiteral("2")), int16_t{2});
    EXPECT_EQ(toInt16(QStringLiteral("2.5")), int16_t{2});
    EXPECT_EQ(toInt16(QStringLiteral("3.5")), int16_t{4});
    EXPECT_EQ(toInt16(QStringLiteral("-1")), int16_t{-1});
    EXPECT_FALSE(toInt16(QStringLiteral("32768")));
    EXPECT_FALSE(toInt16(QStringLiteral("x")));
    EXPECT_FALSE(toInt16(QString()));
}

TEST(SettingsConversions, SingleTextReadsBackExactly)
{
    for (float v : {1000.0f, 1005.0f, 66.6666641f, -0.5f, 123456.789f})
        EXPECT_EQ(toSingle(singleText(v)), v) << singleText(v).toStdString();
    EXPECT_EQ(singleText(1000.0f), QStringLiteral("1000"));
}

TEST(Settings, AbsentKeysYieldTheirDefaults)
{
    test::MemorySettingsStore store;
    Settings settings(store);
    EXPECT_EQ(settings.single(keys::MainLeft), 1000.0f);
    EXPECT_EQ(settings.int16(keys::DUT), int16_t{0});
    EXPECT_EQ(settings.nonZero(keys::RTS), true);
    EXPECT_EQ(settings.nonZero(keys::DTR), false);
    EXPECT_EQ(settings.text(keys::SaveDir), QString());
}

TEST(Settings, BrokenTextGivesNoValueSoTheCallerKeepsItsOwn)
{
    test::MemorySettingsStore store;
    store.values[QStringLiteral("Settings/MainLeft")] = QStringLiteral("left");
    store.values[QStringLiteral("Settings/DUT")] = QStringLiteral("99999");
    Settings settings(store);
    EXPECT_FALSE(settings.single(keys::MainLeft));
    EXPECT_FALSE(settings.int16(keys::DUT));
}

TEST(QtSettingsStore, WritesSurviveIntoALaterRunInTheirSections)
{
    test::IsolatedSettings isolated;
    {
        QtSettingsStore store;
        Settings settings(store);
        settings.setSingle(keys::MainTop, 1500.0f);
        settings.setBool(keys::BoardInformation, false);
        settings.setInt(keys::DUT, 2);
    }
    EXPECT_EQ(isolated.stored(QStringLiteral("Settings"), QStringLiteral("MainTop")), QStringLiteral("1500"));
    EXPECT_EQ(isolated.stored(QStringLiteral("Settings6"), QStringLiteral("mnuBoardInfomation")),
              QStringLiteral("False"));
    EXPECT_FALSE(isolated.has(QStringLiteral("Settings"), QStringLiteral("mnuBoardInfomation")));
    QtSettingsStore later;
    EXPECT_EQ(later.get(QStringLiteral("Settings"), QStringLiteral("DUT"), QStringLiteral("0")),
              QStringLiteral("2"));
}

TEST(QtSettingsStore, TheNativeStoreIsTheUsersUnderTheNameZelko6)
{
    // The store as the program has it: a file on Linux (in the isolated folder here), the
    // registry on Windows, both under organisation and application "ZELKO6".
    test::IsolatedSettings isolated;
    const QSettings::Format testFormat = QSettings::defaultFormat();
    QSettings::setDefaultFormat(QSettings::NativeFormat);
    const QString section = QStringLiteral("Test-") + QUuid::createUuid().toString(QUuid::Id128);
    QtSettingsStore().save(section, QStringLiteral("Key"), QStringLiteral("value"));
    QSettings native(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("ZELKO6"),
                     QStringLiteral("ZELKO6"));
    const QString where = native.fileName();
    const QString stored = native.value(section + QStringLiteral("/Key")).toString();
    native.remove(section);
    QSettings::setDefaultFormat(testFormat);

    EXPECT_EQ(stored, QStringLiteral("value"));
    const bool registry = QSysInfo::kernelType() == QStringLiteral("winnt");
    EXPECT_EQ(where, registry ? QStringLiteral("\\HKEY_CURRENT_USER\\Software\\ZELKO6\\ZELKO6")
                              : isolated.directory() + QStringLiteral("/ZELKO6/ZELKO6.conf"));
}
