#pragma once
// The pieces every end-to-end case needs: the board simulator as a child process on a
// pseudo-terminal that port 1 resolves to, its wire log read back as runs of bytes, and a fixture
// that starts the real program with a one-chip catalogue and clicks its buttons.

#include "gui/Application.h"
#include "gui/MainStatusBar.h"
#include "gui/MainWindow.h"
#include "support/AppHarness.h"
#include "support/JapaneseTexts.h"
#include "support/SimulatorProcess.h"
#include "support/Waiting.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace zelko6::e2e {

namespace texts = zelko6::test::texts;
namespace filetexts = zelko6::test::filetexts;

// One stretch of bytes in one direction, as the simulator's log line shows it.
struct WireRun {
    bool fromPc = false;
    QByteArray bytes;
};

// One read or write command on the wire and everything that followed it until the next
// identification query (the next operation) or the end of the log.
struct WireTransfer {
    QByteArray header; // "e", bus digit, operation letter
    QByteArray startRecord;
    QByteArray endRecord;
    std::vector<WireRun> exchange;

    // Board runs and PC runs of the exchange, in order.
    std::vector<QByteArray> fromBoard() const;
    std::vector<QByteArray> fromPc() const;
};

std::vector<WireRun> parseWireLog(const QByteArray &log);
std::vector<WireTransfer> findTransfers(const std::vector<WireRun> &runs);
// Every byte the PC sent, in order (identification queries included).
QByteArray allFromPc(const std::vector<WireRun> &runs);

// Bytes that differ from their neighbours and from 0xFF at nearly every address.
QByteArray pattern(int size, int seed = 0);

// The seconds of a finished operation's text: `prefix`, the seconds as the text shows them and
// "sec)". `decimals` is 1 for "##0.0" (at least one integer digit, no leading zeros, one decimal)
// and 0 for whole seconds. Nothing when the text has another form.
std::optional<double> secondsShown(const QString &text, const QString &prefix, int decimals);

// A byte as the grid and the logs show it: "0x" and two upper-case digits.
QString byteCell(uint8_t value);
// A verify log line: address (7 digits), the buffer's byte, the chip's byte.
QString mismatchLine(int address, uint8_t expected, uint8_t actual);
// The two lines every verify log starts with.
QStringList verifyLogHead();

// Panel-3 percentages as a list of texts ("3%", ...).
QStringList percentages(std::initializer_list<int> values);

class SimulatedBoard {
  public:
    // Starts the simulator with its log, save file and a link of a name no other run uses.
    SimulatedBoard(const QString &folder, const QStringList &switches);

    bool ready() const { return !process_.device().isEmpty(); }
    // The path port 1 is pointed at: a link that vanishes with the board.
    const QString &linkPath() const { return linkPath_; }
    QByteArray rawLog() const { return test::fileBytes(logPath_); }
    std::vector<WireRun> wire() const { return parseWireLog(rawLog()); }
    std::vector<WireTransfer> transfers() const { return findTransfers(wire()); }
    // The chip image the simulator saved after its last completed write (empty before).
    QByteArray savedImage() const { return test::fileBytes(savePath_); }
    bool hasExited() { return process_.endsCleanly(); }
    QString startError() const { return process_.startError(); }

  private:
    QString linkPath_;
    QString logPath_;
    QString savePath_;
    test::SimulatorProcess process_;
};

// The program with a chosen chip and a board on port 1.
class E2eTest : public ::testing::Test {
  protected:
    void TearDown() override;

    // catalogueLine: one chip line of the definition file; the chip is selected at start-up.
    void startWindow(const QByteArray &catalogueLine);
    // Starts a board with a chip of 2^sizeExp bytes on port `port`; `image` (if not empty) is
    // loaded into its chip, which is 0xFF otherwise.
    void startBoard(int sizeExp, const QStringList &switches = {}, const QByteArray &image = {},
                    int port = 1);
    // Points port n at a path (a board's link, or nothing at all) until the test ends.
    void pointPortAt(int port, const QString &path);
    // Writes bytes to a file in the test's folder and returns its path.
    QString writeFile(const QString &name, const QByteArray &bytes) const;

    MainWindow &main() const { return *h.app->mainWindow(); }
    AppState &state() const { return h.app->state(); }
    void chooseAccessSize(const QString &size);
    // A user's click on a button; returns when the operation is over. Fails the test (and ends
    // the operation) if it has not ended long after any reply limit would have ended it.
    void click(const char *buttonName);
    // The same for a menu item.
    void trigger(const char *actionName);

    // Panel texts in the order they were set during the last click.
    QStringList panelHistory(int panel) const;
    const std::vector<std::pair<int, QString>> &history() const { return history_; }
    QString panel(int p) const { return main().status().panel(p); }
    // The grid cell text of `address`.
    QString cell(int address) const;
    QString hexBoxText() const;
    QString checkSumCaption() const;
    QByteArray buffer() const;
    void setBuffer(const QByteArray &bytes);
    QString logPath() const { return h.programDir.file(QStringLiteral("VerifyLog.txt")); }
    QByteArray verifyLog() const { return h.programDir.readFile(QStringLiteral("VerifyLog.txt")); }
    // The log lines as they are on disk, code page 932 and CR LF.
    static QByteArray logBytes(const QStringList &lines);

    // The window is idle again: every locked control usable, the port closed, the focus in the
    // hex box. Names the offending control.
    void expectIdle() const;
    // The controls and menu items that must not be usable while an operation runs.
    static const QStringList &lockedWidgets();
    static const QStringList &lockedActions();
    // Names of the lock set that are enabled right now.
    QStringList unlockedNow() const;

    test::AppHarness h;
    QTemporaryDir work;
    std::unique_ptr<SimulatedBoard> board;
    // Called at every panel change during a click, after it is recorded.
    std::function<void(int, const QString &)> onPanelChanged;

  private:
    // Starts a command and returns when its operation is over (see click).
    void runToEnd(const char *name, const std::function<void()> &start);

    std::vector<std::pair<int, QString>> history_;
    std::vector<std::pair<QByteArray, std::optional<QByteArray>>> savedEnv_; // name, earlier value
};

} // namespace zelko6::e2e
