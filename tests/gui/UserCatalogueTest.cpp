// A zelko6.ini of the user's own, beside the settings file: read instead of the program folder's,
// and named by its path where the window names the catalogue.

#include "gui/AboutWindow.h"
#include "gui/MainWindow.h"
#include "support/AppHarness.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <gtest/gtest.h>

using namespace zelko6;
using zelko6::test::AppHarness;

namespace {

struct UserCatalogueTest : ::testing::Test {
    // The sample catalogue with one chip more, as a user would extend it.
    void writeOwnCatalogue()
    {
        ASSERT_TRUE(QDir().mkpath(h.settings.directory() + QStringLiteral("/ZELKO6")));
        QFile file(own);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(h.programDir.readFile(QStringLiteral("zelko6.ini")) + "X24C99 2Kbit 2 8 8 0 0 mine\r\n");
    }
    QStringList deviceList() const
    {
        const auto *devices = h.app->mainWindow()->findChild<QComboBox *>(QStringLiteral("Combo_device"));
        QStringList out;
        for (int i = 0; i < devices->count(); ++i)
            out << devices->itemText(i);
        return out;
    }

    AppHarness h;
    const QString own = h.settings.directory() + QStringLiteral("/ZELKO6/zelko6.ini");
};

} // namespace

TEST_F(UserCatalogueTest, TheUsersOwnCatalogueIsReadAndTheTitleAndAboutNameItsPath)
{
    h.start();
    ASSERT_TRUE(h.started);
    const QStringList installed = deviceList();
    h.stop();

    writeOwnCatalogue();
    Application &app = h.start();
    ASSERT_TRUE(h.started);
    EXPECT_EQ(deviceList().size(), installed.size() + 1);
    EXPECT_TRUE(deviceList().last().startsWith(QStringLiteral("X24C99")))
        << deviceList().last().toStdString();
    EXPECT_EQ(app.mainWindow()->windowTitle(), QStringLiteral("Serial EEPROM Programmer Ver 6.5.8    ") +
                                                   own + QStringLiteral(" Ver 2.03  2026/12/01"));
    EXPECT_EQ(app.aboutWindow()->findChild<QLabel *>(QStringLiteral("Label_zelko_rev"))->text(),
              own + QStringLiteral("  Ver 2.03  2026/12/01"));
}

TEST_F(UserCatalogueTest, ItIsEnoughWithoutACatalogueInTheProgramFolder)
{
    writeOwnCatalogue();
    QFile::remove(h.programDir.file(QStringLiteral("zelko6.ini")));
    h.start();
    EXPECT_TRUE(h.started);
    EXPECT_TRUE(h.boxes.shown.empty());
}
