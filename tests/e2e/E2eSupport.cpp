#include "E2eSupport.h"

#include "core/operations/DeviceOperations.h"
#include "core/text/CodePage932.h"
#include "gui/ByteEditorPanel.h"
#include "support/JapaneseTexts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>

namespace zelko6::e2e {

namespace {

// Two silent waits of 10 s in one operation are the longest any case makes on purpose.
constexpr std::chrono::milliseconds kOperationLimit{60'000};
constexpr int kRecordLength = 4;
constexpr int kOpeningLength = 1 + 3 + 2 * kRecordLength; // "E", header, two records

bool isTransferLetter(char c)
{
    return c == 'R' || c == 'r' || c == 'W' || c == 'w';
}

// Where a read or write command starts in a run of PC bytes, or -1.
qsizetype openingAt(const QByteArray &bytes)
{
    for (qsizetype p = 0; p + kOpeningLength <= bytes.size(); ++p)
        if (bytes[p] == 'E' && bytes[p + 1] == 'e' && (bytes[p + 2] == '2' || bytes[p + 2] == '3') &&
            isTransferLetter(bytes[p + 3]))
            return p;
    return -1;
}

} // namespace

std::vector<QByteArray> WireTransfer::fromBoard() const
{
    std::vector<QByteArray> out;
    for (const WireRun &run : exchange)
        if (!run.fromPc)
            out.push_back(run.bytes);
    return out;
}

std::vector<QByteArray> WireTransfer::fromPc() const
{
    std::vector<QByteArray> out;
    for (const WireRun &run : exchange)
        if (run.fromPc)
            out.push_back(run.bytes);
    return out;
}

std::vector<WireRun> parseWireLog(const QByteArray &log)
{
    std::vector<WireRun> runs;
    for (const QByteArray &line : log.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.size() < 3 || trimmed[2] != ':')
            continue;
        WireRun run;
        run.fromPc = trimmed.startsWith("PC");
        for (const QByteArray &hex : trimmed.mid(3).split(' '))
            if (!hex.isEmpty())
                run.bytes.append(static_cast<char>(hex.toInt(nullptr, 16)));
        runs.push_back(run);
    }
    return runs;
}

std::vector<WireTransfer> findTransfers(const std::vector<WireRun> &logged)
{
    // The log joins bytes of one direction into one run until the other side speaks, so a
    // transfer's last PC bytes and the next operation's first query can share a run; such a run
    // is split where the transfer's own bytes end.
    std::vector<WireRun> runs = logged;
    std::vector<WireTransfer> out;
    size_t i = 0;
    while (i < runs.size()) {
        const qsizetype p = runs[i].fromPc ? openingAt(runs[i].bytes) : -1;
        if (p < 0) {
            ++i;
            continue;
        }
        WireTransfer t;
        const QByteArray &opening = runs[i].bytes;
        t.header = opening.mid(p + 1, 3);
        t.startRecord = opening.mid(p + 4, kRecordLength);
        t.endRecord = opening.mid(p + 4 + kRecordLength, kRecordLength);
        const QByteArray rest = opening.mid(p + kOpeningLength);
        ++i;
        if (!rest.isEmpty()) {
            // The PC went on talking without waiting for the board: keep it for the test to see.
            t.exchange.push_back({true, rest});
            out.push_back(t);
            continue;
        }
        const bool writing = t.header[2] == 'W' || t.header[2] == 'w';
        const int chunk = static_cast<uint8_t>(t.startRecord[0]);
        bool boardsTurn = true;
        while (i < runs.size() && runs[i].fromPc != boardsTurn) {
            if (boardsTurn) {
                t.exchange.push_back(runs[i++]);
                boardsTurn = false;
                continue;
            }
            const qsizetype mine = writing ? chunk : 1;
            QByteArray &bytes = runs[i].bytes;
            if (bytes.size() < mine || (!writing && bytes[0] != '@'))
                break;
            t.exchange.push_back({true, bytes.left(mine)});
            if (bytes.size() > mine) {
                bytes.remove(0, mine);
                break;
            }
            ++i;
            boardsTurn = true;
        }
        out.push_back(t);
    }
    return out;
}

QByteArray allFromPc(const std::vector<WireRun> &runs)
{
    QByteArray out;
    for (const WireRun &run : runs)
        if (run.fromPc)
            out += run.bytes;
    return out;
}

QByteArray pattern(int size, int seed)
{
    QByteArray out(size, '\0');
    for (int i = 0; i < size; ++i)
        out[i] = static_cast<char>((i * 37 + (i >> 8) * 11 + seed * 101 + 1) & 0xFF);
    return out;
}

std::optional<double> secondsShown(const QString &text, const QString &prefix, int decimals)
{
    const QString number =
        decimals == 0 ? QStringLiteral("(0|[1-9][0-9]*)") : QStringLiteral("(0|[1-9][0-9]*)\\.[0-9]");
    const QRegularExpression form(QStringLiteral("^") + QRegularExpression::escape(prefix) + u'(' + number +
                                  u')' + QRegularExpression::escape(texts::kSecondsSuffix) + u'$');
    const auto match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toDouble();
}

namespace {
QString hexText(uint value, int digits)
{
    return QStringLiteral("0x") + QStringLiteral("%1").arg(value, digits, 16, QChar(u'0')).toUpper();
}
} // namespace

QString byteCell(uint8_t value)
{
    return hexText(value, 2);
}

QString mismatchLine(int address, uint8_t expected, uint8_t actual)
{
    return hexText(static_cast<uint>(address), 7) + u'\t' + hexText(expected, 2) + u'\t' + hexText(actual, 2);
}

QStringList verifyLogHead()
{
    return {texts::kLogTitle,
            texts::kLogAddressHead + u'\t' + texts::kLogExpectedHead + u'\t' + texts::kLogActualHead};
}

QStringList percentages(std::initializer_list<int> values)
{
    QStringList out;
    for (int v : values)
        out << QString::number(v) + u'%';
    return out;
}

namespace {
// The port's lock file is named after the device's last path element: two tests running side by
// side must never share one.
QString unusedLinkPath(const QString &folder)
{
    static int serial = 0;
    return folder + QStringLiteral("/zelko6-e2e-%1-%2").arg(QCoreApplication::applicationPid()).arg(++serial);
}
} // namespace

SimulatedBoard::SimulatedBoard(const QString &folder, const QStringList &switches)
    : linkPath_(unusedLinkPath(folder)), logPath_(linkPath_ + QStringLiteral(".log")),
      savePath_(linkPath_ + QStringLiteral(".bin")),
      process_(QStringLiteral(BOARDSIM_PATH),
               QStringList{QStringLiteral("--link"), linkPath_, QStringLiteral("--log"), logPath_,
                           QStringLiteral("--save"), savePath_} +
                   switches)
{
}

void E2eTest::TearDown()
{
    h.stop();
    board.reset();
    for (const auto &[name, value] : savedEnv_) {
        if (value)
            qputenv(name.constData(), *value);
        else
            qunsetenv(name.constData());
    }
}

void E2eTest::startWindow(const QByteArray &catalogueLine)
{
    h.programDir.writeFile(QStringLiteral("zelko6.ini"), "Ver 1\r\n" + catalogueLine + "\r\n");
    h.start();
    ASSERT_TRUE(h.started);
    ASSERT_TRUE(state().chipSelected) << panel(1).toStdString();
    QObject::connect(&main().status(), &MainStatusBar::panelChanged, &main().status(),
                     [this](int p, const QString &text) {
                         history_.emplace_back(p, text);
                         if (onPanelChanged)
                             onPanelChanged(p, text);
                     });
    main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
}

void E2eTest::pointPortAt(int port, const QString &path)
{
    // The variable the program looks at first for port n.
    const QByteArray name = "ZELKO6_COM" + QByteArray::number(port);
    const bool known =
        std::any_of(savedEnv_.begin(), savedEnv_.end(), [&](const auto &e) { return e.first == name; });
    if (!known)
        savedEnv_.emplace_back(name, qEnvironmentVariableIsSet(name.constData())
                                         ? std::optional<QByteArray>(qgetenv(name.constData()))
                                         : std::nullopt);
    qputenv(name.constData(), QFile::encodeName(path));
}

void E2eTest::startBoard(int sizeExp, const QStringList &switches, const QByteArray &image, int port)
{
    ASSERT_TRUE(work.isValid());
    QStringList args{QStringLiteral("--size-exp"), QString::number(sizeExp)};
    if (!image.isEmpty())
        args << QStringLiteral("--image") << writeFile(QStringLiteral("image.bin"), image);
    args += switches;
    board.reset();
    board = std::make_unique<SimulatedBoard>(work.path(), args);
    ASSERT_TRUE(board->ready()) << board->startError().toStdString();
    pointPortAt(port, board->linkPath());
}

QString E2eTest::writeFile(const QString &name, const QByteArray &bytes) const
{
    const QString path = work.filePath(name);
    EXPECT_TRUE(test::writeBytes(path, bytes)) << path.toStdString();
    return path;
}

void E2eTest::chooseAccessSize(const QString &size)
{
    auto *sizes = main().findChild<QComboBox *>(QStringLiteral("CmbSize"));
    ASSERT_NE(sizes, nullptr);
    const int index = sizes->findText(size);
    ASSERT_GE(index, 0) << size.toStdString();
    sizes->setCurrentIndex(index);
    emit sizes->activated(index); // as a user's pick does
}

void E2eTest::click(const char *buttonName)
{
    auto *button = main().findChild<QPushButton *>(QLatin1String(buttonName));
    ASSERT_NE(button, nullptr) << buttonName;
    ASSERT_TRUE(button->isEnabled()) << buttonName;
    runToEnd(buttonName, [button] { QTest::mouseClick(button, Qt::LeftButton); });
}

void E2eTest::trigger(const char *actionName)
{
    QAction *action = main().action(actionName);
    ASSERT_NE(action, nullptr) << actionName;
    ASSERT_TRUE(action->isEnabled()) << actionName;
    runToEnd(actionName, [action] { action->trigger(); });
}

void E2eTest::runToEnd(const char *name, const std::function<void()> &start)
{
    history_.clear();
    start();
    // The operation runs on the link's thread while the window goes on: the command is over when
    // its outcome is in. A program that never ends its wait would hang the run: past the limit the
    // operation is told to give up (as closing the window does) and the test fails.
    const auto idle = [this] { return !main().operations().isBusy(); };
    const auto ended = test::waitUntil(("the end of " + std::string(name)).c_str(), idle, kOperationLimit);
    EXPECT_TRUE(ended);
    if (!ended) {
        main().operations().abort();
        EXPECT_TRUE(test::waitUntil("the end of an operation told to give up", idle));
    }
}

QStringList E2eTest::panelHistory(int p) const
{
    QStringList out;
    for (const auto &[panelNo, text] : history_)
        if (panelNo == p)
            out << text;
    return out;
}

QString E2eTest::cell(int address) const
{
    return main().gridModel().byteText(address / 16, address % 16);
}

QString E2eTest::hexBoxText() const
{
    return main().editor().hexBox()->text();
}

QString E2eTest::checkSumCaption() const
{
    return main().findChild<QLabel *>(QStringLiteral("LblCheckSUM"))->text();
}

QByteArray E2eTest::buffer() const
{
    const MemoryBuffer &b = state().BufData;
    return QByteArray(reinterpret_cast<const char *>(b.data()), static_cast<qsizetype>(b.size()));
}

void E2eTest::setBuffer(const QByteArray &bytes)
{
    ASSERT_EQ(static_cast<size_t>(bytes.size()), state().BufData.size());
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char *>(state().BufData.data()));
    main().RefreshGrid(); // what the user sees, as after loading a file
}

QByteArray E2eTest::logBytes(const QStringList &lines)
{
    return encodeCp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

const QStringList &E2eTest::lockedWidgets()
{
    static const QStringList names{"MSFGrid1",         "Cmd_READ_all", "Cmd_READ_single", "Cmd_WRITE_all",
                                   "Cmd_WRITE_single", "Frame1",       "Combo_device",    "CmbSize",
                                   "Command1",         "Cmd_Open",     "Cmd_SaveAs",      "Cmd_Port",
                                   "Cmd_VERIFY_all"};
    return names;
}

const QStringList &E2eTest::lockedActions()
{
    // Undo and redo are left out: they are usable only when there is something to take back, so
    // an idle window may rightly have them off (the lock of the history is tested on its own).
    static const QStringList names{"mnuBufferClear",      "mnuFileOpen", "mnuFileSaveAs",
                                   "mnuFileCompare",      "mnuVerify",   "mnuToolsOptions",
                                   "mnuEditGoTo",         "mnuEditFind", "mnuEditFindNext",
                                   "mnuEditFindPrevious", "mnuEditFill", "mnuBlankCheck"};
    return names;
}

QStringList E2eTest::unlockedNow() const
{
    QStringList out;
    for (const QString &name : lockedWidgets()) {
        auto *widget = main().findChild<QWidget *>(name);
        if (!widget || widget->isEnabled())
            out << name;
    }
    for (const QString &name : lockedActions()) {
        QAction *action = main().action(name.toLatin1().constData());
        if (!action || action->isEnabled())
            out << name;
    }
    return out;
}

void E2eTest::expectIdle() const
{
    QStringList stillLocked;
    const QStringList open = unlockedNow();
    for (const QString &name : lockedWidgets() + lockedActions())
        if (!open.contains(name))
            stillLocked << name;
    EXPECT_EQ(stillLocked, QStringList());
    EXPECT_FALSE(main().link().portOpen());
    EXPECT_EQ(QApplication::focusWidget(), main().editor().hexBox());
}

} // namespace zelko6::e2e
