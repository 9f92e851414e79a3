// The connection check that opens every operation, against the simulated board: what panel 2
// shows, when the firmware warning comes, and which outcomes stop the operation.

#include "E2eSupport.h"

#include "core/base/Version.h"
#include "support/JapaneseTexts.h"

#include <gtest/gtest.h>

using namespace zelko6;
using namespace zelko6::e2e;

namespace {

const QByteArray kChip256Page16 = "T256P16 256B 2 8 16 0 0 e2e";

QString portOneLine(const QString &rest)
{
    return texts::kPortNamePrefix + u'1' + rest;
}

using E2eConnectionCheckTest = E2eTest;

} // namespace

TEST_F(E2eConnectionCheckTest, IdentifiesTheBoardInPanelTwoAfterTwoQueries)
{
    startBoard(8);
    startWindow(kChip256Page16);

    click("Cmd_READ_single");

    EXPECT_EQ(panel(2), portOneLine(texts::kPortSeparator + QStringLiteral("QT-LNK310 V 6.50")));
    EXPECT_TRUE(h.boxes.shown.empty()); // 6.50 is not warned about
    // The first answer is thrown away: the PC asks twice before the mode set-up.
    EXPECT_TRUE(allFromPc(board->wire()).startsWith("??Ee2P"));
    EXPECT_TRUE(secondsShown(panel(1), texts::kReadDoneText, 1)) << panel(1).toStdString();
    expectIdle();
}

TEST_F(E2eConnectionCheckTest, TheSavedPortNumberChoosesThePortAndNamesIt)
{
    h.store.save(QStringLiteral("Settings"), QStringLiteral("ComNo"), QStringLiteral("4")); // port 5
    startBoard(8, {}, {}, 5);
    pointPortAt(1, work.filePath(QStringLiteral("no-such-port")));
    startWindow(kChip256Page16);

    click("Cmd_READ_single");

    EXPECT_EQ(panel(2), texts::kPortNamePrefix + QStringLiteral("5") + texts::kPortSeparator +
                            QStringLiteral("QT-LNK310 V 6.50"));
    EXPECT_EQ(board->transfers().size(), 1u);
    expectIdle();
}

TEST_F(E2eConnectionCheckTest, OnlyFirmwareBelowSixIsWarnedAboutAndTheOperationGoesOnEitherWay)
{
    startWindow(kChip256Page16);
    // A version that is not a number counts as 0: no warning.
    const std::pair<const char *, bool> versions[] = {
        {"5.99", true}, {"6.00", false}, {"0.00", false}, {"x.yz", false}};
    for (const auto &[version, warned] : versions) {
        SCOPED_TRACE(version);
        startBoard(8, {QStringLiteral("--fw-version"), QLatin1String(version)});
        h.boxes.shown.clear();

        click("Cmd_READ_single");

        EXPECT_EQ(panel(2), portOneLine(texts::kPortSeparator + QStringLiteral("QT-LNK310 V ") +
                                        QLatin1String(version)));
        ASSERT_EQ(h.boxes.shown.size(), warned ? 1u : 0u);
        if (warned) {
            EXPECT_EQ(h.boxes.shown[0].text, texts::kOldFirmwareText);
            EXPECT_EQ(h.boxes.shown[0].title, kAppTitle);
            EXPECT_EQ(h.boxes.shown[0].icon, BoxIcon::None);
            EXPECT_EQ(h.boxes.shown[0].buttons, BoxButtons::Ok);
        }
        EXPECT_EQ(board->transfers().size(), 1u);
        EXPECT_TRUE(secondsShown(panel(1), texts::kReadDoneText, 1)) << panel(1).toStdString();
    }
    expectIdle();
}

TEST_F(E2eConnectionCheckTest, AForeignReplyIsReportedButTheOperationGoesOn)
{
    const QByteArray image = pattern(256, 21);
    startBoard(8, {QStringLiteral("--id"), QStringLiteral("XX-LNK310 V 6.50")}, image);
    startWindow(kChip256Page16);

    click("Cmd_READ_all");

    EXPECT_TRUE(panelHistory(1).contains(texts::kCheckErrorText)) << panelHistory(1).join(u'|').toStdString();
    EXPECT_EQ(panel(2), portOneLine(texts::kNotConnectedSuffix));
    // The board answers the read all the same, so the read succeeds.
    EXPECT_EQ(buffer(), image);
    EXPECT_TRUE(secondsShown(panel(1), texts::kReadDoneText, 1)) << panel(1).toStdString();
    expectIdle();
}

TEST_F(E2eConnectionCheckTest, APortThatDoesNotExistStopsTheOperationBeforeAnythingIsSent)
{
    startWindow(kChip256Page16);
    pointPortAt(1, work.filePath(QStringLiteral("no-such-port")));
    setBuffer(QByteArray(256, '\0'));

    click("Cmd_READ_all");

    EXPECT_TRUE(panel(1).startsWith(texts::kCheckErrorText + texts::kPortMissingReason))
        << panel(1).toStdString();
    EXPECT_EQ(panel(2), portOneLine(texts::kNotConnectedSuffix));
    EXPECT_EQ(buffer(), QByteArray(256, '\xFF')); // a Block Read starts from an erased buffer
    EXPECT_EQ(cell(0), QStringLiteral("0xFF"));
    expectIdle();
}
