// The connection check against the scripted board: identification, countdown, the failure
// paths and the firmware warning.

#include "core/programmer/ConnectionCheck.h"
#include "ExpectedTexts.h"
#include "LinkFixture.h"
#include "core/programmer/PortProbe.h"
#include "support/JapaneseTexts.h"

namespace zelko6::test {
namespace {

class ConnectionCheckTest : public LinkFixture {
  protected:
    CheckResult check() { return ops.identify(savedPortSettings(settings)).result; }
};

TEST_F(ConnectionCheckTest, IdentifiesWithSavedOrDefaultPort)
{
    EXPECT_EQ(CheckResult::Identified, check());
    ASSERT_TRUE(board.openedWith);
    EXPECT_EQ(1, board.openedWith->portNumber);
    EXPECT_TRUE(board.openedWith->rtsEnable);
    EXPECT_FALSE(board.openedWith->dtrEnable);
    EXPECT_EQ(QStringLiteral("COM1 : QT-LNK-WRT-V6.50"), panels.panel(2));
    ASSERT_TRUE(view.last<FirmwareIdentified>());
    EXPECT_EQ(QStringLiteral("QT-LNK-WRT-V6.50"), view.last<FirmwareIdentified>()->firmwareId);
    EXPECT_FLOAT_EQ(6.5f, view.last<FirmwareIdentified>()->version);
    EXPECT_EQ(InputMode::Binary, board.inputMode());
    // Two queries: the first 200 ms after opening, the second about 50 ms later.
    EXPECT_EQ(QStringList({"pause 200", "send 3f", "pause 50", "send 3f"}), trace.mid(0, 4));

    store.values[QStringLiteral("Settings/ComNo")] = QStringLiteral("2");
    store.values[QStringLiteral("Settings/RTS")] = QStringLiteral("0");
    store.values[QStringLiteral("Settings/DTR")] = QStringLiteral("1");
    board.identification = "QT-LNK-WRT-V6.50junk";
    check();
    EXPECT_EQ(3, board.openedWith->portNumber);
    EXPECT_FALSE(board.openedWith->rtsEnable);
    EXPECT_TRUE(board.openedWith->dtrEnable);
    EXPECT_EQ(QStringLiteral("COM3 : QT-LNK-WRT-V6.50"), panels.panel(2));

    // A saved number outside the list (edited by hand) means port 1, as the port window shows it.
    for (const char *saved : {"20", "-2"}) {
        store.values[QStringLiteral("Settings/ComNo")] = QLatin1String(saved);
        check();
        EXPECT_EQ(1, board.openedWith->portNumber) << saved;
        EXPECT_EQ(QStringLiteral("COM1 : QT-LNK-WRT-V6.50"), panels.panel(2)) << saved;
    }
}

TEST_F(ConnectionCheckTest, SilentBoardCountsDownAndStopsTheOperation)
{
    board.identification.clear();
    EXPECT_EQ(CheckResult::TimedOut, check());
    EXPECT_EQ(kCom1NotConnected, panels.panel(2));
    EXPECT_EQ(kSilentBoardFailure, panels.panel(1));
    EXPECT_EQ(0, view.count<FirmwareIdentified>());
    const double waited = panels.firstTimeOf(1, panels.panel(1)) - sendTime("?", 1);
    EXPECT_GT(waited, 10.0);
    EXPECT_LT(waited, 10.1);

    QStringList countdown = panels.historyOf(2);
    countdown.removeLast();
    ASSERT_GE(countdown.size(), 10);
    const QStringList lastTen = countdown.mid(countdown.size() - 10);
    EXPECT_EQ(kWaiting9, lastTen[0]);
    EXPECT_EQ(kWaiting8, lastTen[1]);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(texts::kWaitingPrefix + QString::number(9 - i), lastTen[i]);
}

TEST_F(ConnectionCheckTest, ShortAndForeignReplies)
{
    board.identification = "QT-LNK-WRT-V6.50\r"; // 17 characters never complete the wait
    EXPECT_EQ(CheckResult::TimedOut, check());
    EXPECT_EQ(kShortReplyFailure, panels.panel(1));
    EXPECT_EQ(InputMode::Text, board.inputMode());

    board.identification = "HELLO FROM A MODEM";
    EXPECT_EQ(CheckResult::Foreign, check());
    EXPECT_EQ(texts::kCheckErrorText, panels.panel(1));
    EXPECT_EQ(kCom1NotConnected, panels.panel(2));
    EXPECT_EQ(InputMode::Binary, board.inputMode());
}

TEST_F(ConnectionCheckTest, OnlyFirmwareBelowSixIsWarnedAbout)
{
    const struct {
        const char *version;
        float value;
        bool warned;
    } cases[] = {{"5.99", 5.99f, true}, {"6.00", 6.0f, false}, {"0.00", 0.0f, false}, {"v6.x", 0.0f, false}};
    for (const auto &c : cases) {
        view.firmwareWarnings = 0;
        board.identification = "QT-LNK-WRT-V" + QByteArray(c.version) + "\r\n";
        EXPECT_EQ(CheckResult::Identified, check());
        ASSERT_TRUE(view.last<FirmwareIdentified>()) << c.version;
        EXPECT_FLOAT_EQ(c.value, view.last<FirmwareIdentified>()->version) << c.version;
        // (How the window shows the warning is the end-to-end tests' business.)
        EXPECT_EQ(c.warned ? 1 : 0, view.firmwareWarnings) << c.version;
    }
}

TEST_F(ConnectionCheckTest, PortThatCannotOpenStopsWithItsReason)
{
    board.openFailure = OpenFailure{OpenFailure::Kind::NotFound, QStringLiteral("/dev/ttyUSB7"), {}};
    useChip(2, 8, 16);
    EXPECT_EQ(OperationResult::CheckFailed, click(OperationKind::ReadBlock).result);
    EXPECT_TRUE(board.sends.empty());
    EXPECT_EQ(kCom1NotConnected, panels.panel(2));
    EXPECT_TRUE(panels.panel(1).startsWith(texts::kCheckErrorText));
    EXPECT_TRUE(panels.panel(1).endsWith(QStringLiteral("/dev/ttyUSB7")));
    EXPECT_EQ((std::vector<bool>{true, false}), view.locks);
}

TEST_F(ConnectionCheckTest, ProbeSavesTheChoiceEvenWhenThePortFails)
{
    store.values[QStringLiteral("Settings/RTS")] = QStringLiteral("0");
    EXPECT_FALSE(probePort(board, settings, 4));
    EXPECT_EQ(5, board.openedWith->portNumber);
    EXPECT_FALSE(board.openedWith->rtsEnable);

    board.openFailure = OpenFailure{};
    board.close();
    EXPECT_TRUE(probePort(board, settings, 19));
    EXPECT_EQ(QStringLiteral("19"), store.values.value(QStringLiteral("Settings/ComNo")));
    EXPECT_FALSE(board.isOpen());
}

} // namespace
} // namespace zelko6::test
