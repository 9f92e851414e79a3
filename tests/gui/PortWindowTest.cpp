// The port settings window on the real serial link: pseudo-terminals this test holds the other
// end of stand in for the board's port, and paths that do not exist for a port that is missing.

#include "gui/PortWindow.h"
#include "core/base/Version.h"
#include "core/programmer/QtSerialLink.h"
#include "support/JapaneseTexts.h"
#include "support/TestSupport.h"
#include "support/Waiting.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <grp.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelko6::test {
namespace {

const QString kMissingDevice = QStringLiteral("/dev/zelko6-test-no-such-port");

// The board's end of a pseudo-terminal; the program opens the other end as its serial port.
class Pty {
  public:
    Pty()
    {
        fd_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (fd_ >= 0 && (grantpt(fd_) != 0 || unlockpt(fd_) != 0)) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~Pty()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Pty(const Pty &) = delete;
    Pty &operator=(const Pty &) = delete;

    bool ok() const { return fd_ >= 0; }
    QString path() const { return QString::fromLocal8Bit(ptsname(fd_)); }
    QByteArray read(int wanted) const { return receiveFrom(fd_, wanted); }

  private:
    int fd_ = -1;
};

// Sets an environment variable for one test and puts back what was there before.
class ScopedEnv {
  public:
    ScopedEnv(QByteArray name, const QString &value) : name_(std::move(name))
    {
        if (qEnvironmentVariableIsSet(name_.constData()))
            previous_ = qgetenv(name_.constData());
        qputenv(name_.constData(), value.toLocal8Bit());
    }
    ~ScopedEnv()
    {
        if (previous_)
            qputenv(name_.constData(), *previous_);
        else
            qunsetenv(name_.constData());
    }

  private:
    QByteArray name_;
    std::optional<QByteArray> previous_;
};

// The real link, with a record of what was asked of it: which settings each open used and how
// often an open port was closed.
class RecordingLink final : public SerialLink {
  public:
    explicit RecordingLink(const SettingsStore *store = nullptr) : real(PortResolver(store)) {}
    QString deviceFor(int portNumber) const override { return real.deviceFor(portNumber); }
    std::optional<OpenFailure> open(const PortSettings &settings) override
    {
        opens.push_back(settings);
        return real.open(settings);
    }
    void close() override
    {
        if (real.isOpen())
            ++closesOfOpenPort;
        real.close();
    }
    bool isOpen() const override { return real.isOpen(); }
    void setInputMode(InputMode mode) override { real.setInputMode(mode); }
    InputMode inputMode() const override { return real.inputMode(); }
    void discardInput() override { real.discardInput(); }
    int pendingCount() override { return real.pendingCount(); }
    void send(const QByteArray &element) override { real.send(element); }
    QByteArray takeAll() override { return real.takeAll(); }
    bool lost() const override { return real.lost(); }

    QtSerialLink real;
    std::vector<PortSettings> opens;
    int closesOfOpenPort = 0;
};

class PortWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(board.ok() && other.ok()); }

    void pointPort(int number, const QString &device)
    {
        env_.push_back(std::make_unique<ScopedEnv>(PortResolver::environmentName(number).toLatin1(), device));
    }
    void save(const char *key, const QString &value)
    {
        store.values[QStringLiteral("Settings/") + key] = value;
    }
    QString saved(const char *key) const { return store.values.value(QStringLiteral("Settings/") + key); }

    std::unique_ptr<PortWindow> openWindow()
    {
        auto window = std::make_unique<PortWindow>(link, settings, boxes);
        window->show();
        return window;
    }
    template <typename W> static W *control(PortWindow &window, const char *name)
    {
        W *w = window.findChild<W *>(QLatin1String(name));
        EXPECT_NE(nullptr, w) << name;
        return w;
    }
    static QString deviceShown(PortWindow &window) { return control<QLabel>(window, "LabelDevice")->text(); }

    // What the user does: drop the list down, move to an entry (the one shown, too) and take it.
    static void choose(PortWindow &window, int index)
    {
        auto *list = control<QComboBox>(window, "Cmb_com");
        list->showPopup();
        QAbstractItemView *view = list->view();
        ASSERT_TRUE(view->isVisible());
        view->setCurrentIndex(view->model()->index(index, 0));
        QTest::keyClick(view, Qt::Key_Return);
        ASSERT_FALSE(view->isVisible());
        ASSERT_EQ(index, list->currentIndex());
    }
    int unusableMessages() const
    {
        int n = 0;
        for (const auto &shown : boxes.shown) {
            EXPECT_EQ(BoxIcon::Error, shown.icon);
            EXPECT_EQ(BoxButtons::Ok, shown.buttons);
            EXPECT_EQ(kAppTitle, shown.title);
            EXPECT_EQ(texts::kPortUnusableText, shown.text);
            ++n;
        }
        return n;
    }

    Pty board; // the board's port
    Pty other; // a second usable port
    MemorySettingsStore store;
    Settings settings{store};
    ScriptedMessageBoxes boxes;
    RecordingLink link{&store};

  private:
    std::vector<std::unique_ptr<ScopedEnv>> env_;
};

TEST_F(PortWindowTest, WithoutSavedSettingsProbesFirstPortWithRtsOnlyAndWritesDefaultsBack)
{
    pointPort(1, board.path());
    auto window = openWindow();

    EXPECT_EQ(QStringLiteral("1"), control<QComboBox>(*window, "Cmb_com")->currentText());
    EXPECT_TRUE(control<QCheckBox>(*window, "CheckRTS")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(*window, "CheckDTR")->isChecked());
    EXPECT_EQ(QStringLiteral("0"), saved("ComNo"));
    EXPECT_EQ(QStringLiteral("1"), saved("RTS"));
    EXPECT_EQ(QStringLiteral("0"), saved("DTR"));

    // Opening the window tried the saved port with the saved lines and kept it open.
    ASSERT_EQ(1u, link.opens.size());
    EXPECT_EQ(1, link.opens[0].portNumber);
    EXPECT_TRUE(link.opens[0].rtsEnable);
    EXPECT_FALSE(link.opens[0].dtrEnable);
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(0, unusableMessages());
    EXPECT_EQ(board.path(), deviceShown(*window));
}

TEST_F(PortWindowTest, SavedPortThatDoesNotExistIsReportedBeforeTheUserTouchesAnything)
{
    save("ComNo", QStringLiteral("4"));
    save("RTS", QStringLiteral("0"));
    save("DTR", QStringLiteral("1"));
    pointPort(5, kMissingDevice);
    auto window = std::make_unique<PortWindow>(link, settings, boxes);

    EXPECT_EQ(1, unusableMessages());
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(QStringLiteral("4"), saved("ComNo"));
    EXPECT_EQ(QStringLiteral("5"), control<QComboBox>(*window, "Cmb_com")->currentText());
    EXPECT_FALSE(control<QCheckBox>(*window, "CheckRTS")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(*window, "CheckDTR")->isChecked());
    EXPECT_EQ(kMissingDevice, deviceShown(*window));
    ASSERT_EQ(1u, link.opens.size());
    EXPECT_FALSE(link.opens[0].rtsEnable);
    EXPECT_TRUE(link.opens[0].dtrEnable);
}

TEST_F(PortWindowTest, SavedIndexOutsideTheListFallsBackToTheFirstPort)
{
    save("ComNo", QStringLiteral("25"));
    pointPort(1, board.path());
    auto window = openWindow();

    EXPECT_EQ(QStringLiteral("1"), control<QComboBox>(*window, "Cmb_com")->currentText());
    EXPECT_EQ(QStringLiteral("0"), saved("ComNo"));
    EXPECT_TRUE(link.isOpen());
}

TEST_F(PortWindowTest, ChoosingAPortSavesItAndProbesIt)
{
    pointPort(1, board.path());
    pointPort(3, other.path());
    pointPort(4, kMissingDevice);
    auto window = openWindow();

    // A port that exists stays open, and it is the device the number resolves to.
    choose(*window, 2);
    EXPECT_EQ(QStringLiteral("2"), saved("ComNo"));
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(0, unusableMessages());
    EXPECT_EQ(other.path(), deviceShown(*window));
    link.send("?");
    EXPECT_EQ(QByteArray("?"), other.read(1));

    // A missing one: the message, the port closed, the new index kept.
    choose(*window, 3);
    EXPECT_EQ(1, unusableMessages());
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(QStringLiteral("3"), saved("ComNo"));
    EXPECT_EQ(kMissingDevice, deviceShown(*window));

    // Choosing the entry already shown tries again: the board has been plugged in meanwhile.
    pointPort(4, board.path());
    const auto opensBefore = link.opens.size();
    choose(*window, 3);
    EXPECT_EQ(opensBefore + 1, link.opens.size());
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(1, unusableMessages());
    EXPECT_EQ(board.path(), deviceShown(*window));
}

TEST_F(PortWindowTest, ChoosingByKeyboardProbesToo)
{
    pointPort(1, board.path());
    pointPort(2, other.path());
    auto window = openWindow();

    QTest::keyClick(control<QComboBox>(*window, "Cmb_com"), Qt::Key_Down);
    EXPECT_EQ(QStringLiteral("1"), saved("ComNo"));
    ASSERT_EQ(2u, link.opens.size());
    EXPECT_EQ(2, link.opens[1].portNumber);
    EXPECT_TRUE(link.isOpen());
}

TEST_F(PortWindowTest, LineBoxesSaveAtOnceWithoutTouchingTheOpenPort)
{
    pointPort(1, board.path());
    auto window = openWindow();
    ASSERT_TRUE(link.isOpen());
    const auto opens = link.opens.size();
    const int closes = link.closesOfOpenPort;

    auto *dtr = control<QCheckBox>(*window, "CheckDTR");
    auto *rts = control<QCheckBox>(*window, "CheckRTS");
    QTest::mouseClick(dtr, Qt::LeftButton);
    EXPECT_EQ(QStringLiteral("1"), saved("DTR"));
    QTest::mouseClick(rts, Qt::LeftButton);
    EXPECT_EQ(QStringLiteral("0"), saved("RTS"));
    QTest::keyClick(dtr, Qt::Key_Space);
    EXPECT_EQ(QStringLiteral("0"), saved("DTR"));

    // The lines change only when the next connection check opens the port.
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(opens, link.opens.size());
    EXPECT_EQ(closes, link.closesOfOpenPort);
}

TEST_F(PortWindowTest, EveryWayOfClosingClosesThePortAndSavesTheLines)
{
    pointPort(1, board.path());
    const std::vector<std::pair<const char *, std::function<void(PortWindow &)>>> ways = {
        {"button",
         [](PortWindow &w) { QTest::mouseClick(control<QPushButton>(w, "Cmd_Close"), Qt::LeftButton); }},
        {"close box", [](PortWindow &w) { w.close(); }},
        {"Escape", [](PortWindow &w) { QTest::keyClick(&w, Qt::Key_Escape); }},
    };
    for (const auto &[name, closeIt] : ways) {
        SCOPED_TRACE(name);
        auto window = openWindow();
        ASSERT_TRUE(link.isOpen());
        QTest::mouseClick(control<QCheckBox>(*window, "CheckDTR"), Qt::LeftButton);
        store.writes.clear();

        closeIt(*window);
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(link.isOpen());
        EXPECT_EQ((QStringList{QStringLiteral("Settings/RTS=1"), QStringLiteral("Settings/DTR=1")}),
                  store.writes);

        // Put back for the next way.
        save("DTR", QStringLiteral("0"));
    }
}

TEST_F(PortWindowTest, AWindowShownAgainLoadsAndProbesAgain)
{
    pointPort(1, board.path());
    auto window = openWindow();
    window->close();
    ASSERT_FALSE(link.isOpen());

    save("RTS", QStringLiteral("0")); // changed elsewhere meanwhile
    window->show();
    EXPECT_TRUE(link.isOpen());
    EXPECT_FALSE(control<QCheckBox>(*window, "CheckRTS")->isChecked());
    EXPECT_EQ(2u, link.opens.size());
}

TEST_F(PortWindowTest, ListAndBoxesAreNamedForScreenReaders)
{
    pointPort(1, board.path());
    auto window = openWindow();
    for (const char *name : {"Cmb_com", "CheckDTR", "CheckRTS", "Cmd_Close", "LabelDevice"}) {
        SCOPED_TRACE(name);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control<QWidget>(*window, name));
        ASSERT_NE(nullptr, iface);
        EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty());
    }
}

// The system's adapters as the window learns them: a fake list over real device nodes (the
// test's pseudo-terminals and files), and a by-id folder of links.
class FakePortList final : public SystemPortList {
  public:
    QList<SystemPort> ports() const override { return listed; }
    QList<SystemPort> listed;
};

class PortListTest : public PortWindowTest {
  protected:
    void SetUp() override
    {
        PortWindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("by-id")));
        // Every number named here, so that no adapter of the machine running the tests shows.
        for (int n = kFirstPortNumber; n <= kLastPortNumber; ++n)
            store.values[QStringLiteral("Ports/COM%1").arg(n)] =
                dir.filePath(QStringLiteral("none%1").arg(n));
    }
    std::unique_ptr<PortWindow> openListWindow()
    {
        auto window = std::make_unique<PortWindow>(
            link, settings, boxes, PortWindowSystem{&list, dir.filePath(QStringLiteral("by-id")), {}});
        window->show();
        return window;
    }
    QString byId(const QString &name) const { return dir.filePath(QStringLiteral("by-id/") + name); }
    static QStringList row(PortWindow &window, int index)
    {
        QStringList texts;
        QTreeWidgetItem *item = control<QTreeWidget>(window, "LstPorts")->topLevelItem(index);
        EXPECT_NE(nullptr, item) << index;
        for (int column = 0; item && column < item->columnCount(); ++column)
            texts << item->text(column);
        return texts;
    }

    QTemporaryDir dir;
    FakePortList list;
};

const QString kAbsentMark = QStringLiteral("（接続されていません）");

TEST_F(PortListTest, EveryNumberShowsItsDeviceAndTheAdapterBehindIt)
{
    // Port 2 names the adapter's node; the system lists it with what its driver reports.
    store.values[QStringLiteral("Ports/COM2")] = board.path();
    list.listed << SystemPort{board.path(),
                              QStringLiteral("FT232R USB UART"),
                              QStringLiteral("FTDI"),
                              QStringLiteral("A50285BI"),
                              0x0403,
                              0x6001};
    ASSERT_TRUE(
        QFile::link(board.path(), byId(QStringLiteral("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"))));
    auto window = openListWindow();

    auto *ports = control<QTreeWidget>(*window, "LstPorts");
    ASSERT_EQ(kLastPortNumber, ports->topLevelItemCount());
    EXPECT_EQ((QStringList{"2", board.path(), "FT232R USB UART", "FTDI", "A50285BI", "0403:6001", ""}),
              row(*window, 1));
    EXPECT_EQ((QStringList{"1", dir.filePath(QStringLiteral("none1")), kAbsentMark, "", "", "", ""}),
              row(*window, 0));

    // Choosing the adapter keeps it under its stable name, and the probe opens it through that.
    QTest::mouseClick(ports->viewport(), Qt::LeftButton, {},
                      ports->visualItemRect(ports->topLevelItem(1)).center());
    EXPECT_EQ(QStringLiteral("1"), saved("ComNo"));
    EXPECT_EQ(byId(QStringLiteral("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0")),
              store.values.value(QStringLiteral("Ports/COM2")));
    EXPECT_EQ(QStringLiteral("2"), control<QComboBox>(*window, "Cmb_com")->currentText());
    ASSERT_FALSE(link.opens.empty());
    EXPECT_EQ(2, link.opens.back().portNumber);
    EXPECT_TRUE(link.isOpen());
    link.send("?");
    EXPECT_EQ(QByteArray("?"), board.read(1));
    // Only the saved port 1, which leads nowhere, was reported: when the window opened.
    EXPECT_EQ(1, unusableMessages());
}

TEST_F(PortListTest, OpeningTheWindowKeepsNothingThatTheUserDidNotChoose)
{
    store.values[QStringLiteral("Ports/COM1")] = board.path();
    ASSERT_TRUE(QFile::link(board.path(), byId(QStringLiteral("usb-Board-if00"))));
    store.writes.clear();
    auto window = openListWindow();
    EXPECT_EQ(board.path(), store.values.value(QStringLiteral("Ports/COM1")));
    EXPECT_FALSE(store.writes.join(u' ').contains(QStringLiteral("Ports/")))
        << store.writes.join(u' ').toStdString();
}

TEST_F(PortListTest, TheListFollowsAdaptersWhileOpenAndNothingPollsWhenClosed)
{
    const QString node = dir.filePath(QStringLiteral("ttyUSB0"));
    store.values[QStringLiteral("Ports/COM3")] = node;
    auto window = openListWindow();
    auto *poll = window->findChild<QTimer *>(QStringLiteral("TimerPorts"));
    ASSERT_NE(nullptr, poll);
    EXPECT_TRUE(poll->isActive());
    EXPECT_GE(poll->interval(), 1000);
    EXPECT_EQ(kAbsentMark, row(*window, 2).value(2));

    // Plugged in: the node appears and the system lists it.
    QFile file(node);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    list.listed << SystemPort{node,
                              QStringLiteral("CP2102 USB to UART Bridge Controller"),
                              QStringLiteral("Silicon Labs"),
                              QStringLiteral("0001"),
                              0x10c4,
                              0xea60};
    EXPECT_TRUE(waitUntil("the adapter in the list", [&] {
        return row(*window, 2).value(5) == QStringLiteral("10c4:ea60");
    })) << row(*window, 2).join(u'|').toStdString();
    EXPECT_EQ(QStringLiteral("Silicon Labs"), row(*window, 2).value(3));

    // Pulled out again.
    list.listed.clear();
    ASSERT_TRUE(QFile::remove(node));
    EXPECT_TRUE(waitUntil("the adapter marked absent", [&] {
        return row(*window, 2).value(2) == kAbsentMark;
    })) << row(*window, 2).join(u'|').toStdString();
    EXPECT_TRUE(row(*window, 2).value(5).isEmpty());

    window->close();
    EXPECT_FALSE(poll->isActive());
    window->show();
    EXPECT_TRUE(poll->isActive());
}

TEST_F(PortListTest, APortTheUserMayNotOpenIsSaidInTheBoxWithTheAdvice)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root, who may open any device node; the command-line test "
                        "checks the advice as an unprivileged user";
    const QString node = dir.filePath(QStringLiteral("ttyLocked"));
    QFile file(node);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_EQ(0, ::chmod(QFile::encodeName(node).constData(), 0));
    store.values[QStringLiteral("Ports/COM1")] = node;
    auto window = openListWindow();

    // Our own node that its mode closes to us: no group would help, and none is named.
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ(boxes.shown[0].text,
              texts::kPortUnusableText + QStringLiteral("\nポートを開く権限がありません: ") + node);
}

TEST_F(PortListTest, TheNewControlsAreNamedForScreenReaders)
{
    auto window = openListWindow();
    for (const char *name : {"LstPorts", "Cmd_Find", "LabelFind"}) {
        SCOPED_TRACE(name);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control<QWidget>(*window, name));
        ASSERT_NE(nullptr, iface);
        EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty());
    }
    EXPECT_EQ(QStringLiteral("ライターを探す"), control<QPushButton>(*window, "Cmd_Find")->text());
}

} // namespace
} // namespace zelko6::test
#endif
