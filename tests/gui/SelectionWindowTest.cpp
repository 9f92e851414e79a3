// Choosing chips and access sizes through the real main window.

#include "core/text/CodePage932.h"
#include "gui/MainStatusBar.h"
#include "gui/MainWindow.h"
#include "support/AppHarness.h"

#include <QComboBox>
#include <QLabel>
#include <gtest/gtest.h>

using namespace zelko6;
using zelko6::test::AppHarness;

namespace {

const QString kCatalogue = QStringLiteral("Ver 3.00 test\r\n"
                                          "24C01 1Kbit 2 7 8 0 0 first 1.8-5.5V 1M 1Kbit 5ms 400kHz\r\n"
                                          "24C02 2Kbit 2 8 8 0 0 second 1.8-5.5V 1M 2Kbit 5ms 400kHz\r\n"
                                          "93C46 1Kbit 3 7 1 0 6 ORG端子 2.7-5.5V 1M 1Kbit 2ms 2MHz\r\n"
                                          "BAD1 x 5 8 8 0 0 broken\r\n"
                                          "24C1024 1Mbit 2 17 256 2 0 big\r\n");

struct SelectionTest : ::testing::Test {
    AppHarness h;
    void SetUp() override { h.programDir.writeFile("zelko6.ini", encodeCp932(kCatalogue)); }
    MainWindow &main() { return *h.app->mainWindow(); }
    QComboBox *combo(const char *name) { return main().findChild<QComboBox *>(QLatin1String(name)); }
    QString label(const char *name) { return main().findChild<QLabel *>(QLatin1String(name))->text(); }
    void choose(int index)
    {
        combo("Combo_device")->setCurrentIndex(index);
        emit combo("Combo_device")->activated(index); // as a user's pick does
    }
    QStringList sizes()
    {
        QStringList out;
        for (int i = 0; i < combo("CmbSize")->count(); ++i)
            out << combo("CmbSize")->itemText(i);
        return out;
    }
};

} // namespace

TEST_F(SelectionTest, ATwoWireChipShowsItsSizesClearsTheBufferAndOffersItsAccessSizes)
{
    h.start();
    h.app->state().BufData[0] = 0x12;
    choose(1);
    EXPECT_EQ(label("Lbl_PageSize"), QStringLiteral("　Mem. Size: 256 byte\r\n　Page Size: 8 byte"));
    EXPECT_EQ(label("Lbl_Spec"),
              QStringLiteral("VDD:1.8-5.5V Endurance:1M Density:2Kbit WriteSpeed:5ms ClockSpeed:400kHz "));
    EXPECT_EQ(main().status().panel(4), QStringLiteral("second"));
    ASSERT_EQ(h.app->state().BufData.size(), 256u);
    EXPECT_EQ(h.app->state().BufData[0], 0xFF);
    EXPECT_EQ(sizes(), (QStringList{"8", "16", "32", "64", "128", "256"}));
    EXPECT_EQ(combo("CmbSize")->currentText(), QStringLiteral("256"));
    EXPECT_EQ(h.settings.stored("Settings", "DUT"), QStringLiteral("1"));
    EXPECT_EQ(h.settings.stored("Settings", "AccessSize"), QStringLiteral("5"));
}

TEST_F(SelectionTest, ChoosingTheSameSizedChipAgainStillDiscardsTheBuffer)
{
    h.start();
    h.app->state().BufData[5] = 0;
    choose(0);
    EXPECT_EQ(h.app->state().BufData[5], 0xFF);
    EXPECT_TRUE(main().status().panel(1).isEmpty()); // the selection ends by emptying panel 1
}

TEST_F(SelectionTest, AThreeWireChipShowsOnlyItsMemorySize)
{
    h.start();
    choose(2);
    EXPECT_EQ(label("Lbl_PageSize"), QStringLiteral("　Mem. Size: 128 byte"));
    EXPECT_EQ(sizes(), (QStringList{"64", "128"}));
    EXPECT_EQ(main().status().panel(4), QStringLiteral("ORG端子"));
}

TEST_F(SelectionTest, PickingAnAccessSizeOnlyRemembersIt)
{
    h.start();
    h.app->state().BufData[3] = 0x33;
    combo("CmbSize")->setCurrentIndex(3);
    emit combo("CmbSize")->activated(3);
    EXPECT_EQ(h.settings.stored("Settings", "AccessSize"), QStringLiteral("3"));
    EXPECT_EQ(h.app->state().BufData[3], 0x33);
    EXPECT_EQ(h.settings.stored("Settings", "DUT"), QStringLiteral("0"));
}

TEST_F(SelectionTest, AChipTheProgramCannotDriveIsRefusedAndThePreviousOneStays)
{
    h.start();
    choose(1);
    h.app->state().BufData[7] = 0x77;
    choose(3);
    EXPECT_TRUE(main().status().panel(1).startsWith(QStringLiteral("BAD1 : ")));
    EXPECT_EQ(combo("Combo_device")->currentIndex(), 1);
    EXPECT_EQ(h.app->state().chip.DUT_SizeExp, 8);
    EXPECT_EQ(h.app->state().BufData[7], 0x77);
    EXPECT_EQ(sizes().last(), QStringLiteral("256"));
    EXPECT_EQ(h.settings.stored("Settings", "DUT"), QStringLiteral("1"));
}

TEST_F(SelectionTest, TheSavedChipComesBackAndUnusableSavedIndicesFallBackToTheFirst)
{
    h.store.save("Settings", "DUT", "2");
    h.start();
    EXPECT_EQ(combo("Combo_device")->currentIndex(), 2);
    EXPECT_EQ(main().status().panel(4), QStringLiteral("ORG端子"));
    h.stop();

    for (const char *saved : {"abc", "99", "-1", "3"}) { // 3 is the chip that cannot be driven
        h.store.save("Settings", "DUT", saved);
        h.start();
        EXPECT_EQ(combo("Combo_device")->currentIndex(), 0) << saved;
        EXPECT_EQ(h.settings.stored("Settings", "DUT"), QStringLiteral("0")) << saved;
        h.stop();
    }
}

TEST_F(SelectionTest, TheListEntriesAndTheTitleComeFromTheCatalogue)
{
    h.start();
    EXPECT_EQ(combo("Combo_device")->count(), 5);
    EXPECT_EQ(combo("Combo_device")->itemText(2), QStringLiteral("93C46    1Kbit"));
    EXPECT_TRUE(main().windowTitle().endsWith(QStringLiteral("zelko6.ini Ver 3.00 test")));
}

TEST(SelectionWithoutChips, AnEmptyCatalogueStartsWithNothingSelected)
{
    AppHarness h;
    h.programDir.writeFile("zelko6.ini", "; nothing\r\nVer 1.00\r\n");
    h.start();
    ASSERT_TRUE(h.started);
    EXPECT_FALSE(h.app->state().chipSelected);
    EXPECT_TRUE(h.app->mainWindow()->windowTitle().endsWith(QStringLiteral("zelko6.ini Ver 1.00")));
    EXPECT_EQ(h.app->mainWindow()->findChild<QComboBox *>("Combo_device")->count(), 0);
}
