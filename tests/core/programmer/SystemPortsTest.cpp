// The ports as the system knows them, with a fake list standing in for the system's adapters and
// a folder of links standing in for /dev/serial/by-id; the device nodes are real files.

#include "core/programmer/SystemPorts.h"
#include "core/operations/PortSearch.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zelko6::test {
namespace {

class FakePortList final : public SystemPortList {
  public:
    QList<SystemPort> ports() const override { return listed; }
    QList<SystemPort> listed;
};

class SystemPortsTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("by-id")));
        // No number may come from the environment of whoever runs the tests.
        for (int n = kFirstPortNumber; n <= kLastPortNumber; ++n)
            qunsetenv(PortResolver::environmentName(n).toLatin1().constData());
    }
    void TearDown() override { qunsetenv("ZELKO6_COM2"); }

    // A device node the adapter's driver made; its by-id link when `stable` is given.
    SystemPort plugIn(const QString &node, const QString &stable, SystemPort port = {})
    {
        port.location = dir.filePath(node);
        QFile file(port.location);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        if (!stable.isEmpty()) {
            EXPECT_TRUE(QFile::link(port.location, byId(stable)));
        }
        list.listed << port;
        return port;
    }
    void unplug(const QString &node)
    {
        QFile::remove(dir.filePath(node));
        list.listed.removeIf([&](const SystemPort &p) { return p.location == dir.filePath(node); });
        for (const QFileInfo &link : QDir(byIdFolder()).entryInfoList(QDir::System | QDir::Files)) {
            if (!link.exists())
                QFile::remove(link.absoluteFilePath());
        }
    }
    QString byIdFolder() const { return dir.filePath(QStringLiteral("by-id")); }
    QString byId(const QString &name) const { return byIdFolder() + u'/' + name; }
    PortInventory inventory() const { return PortInventory(&store, list, byIdFolder()); }

    QTemporaryDir dir;
    FakePortList list;
    MemorySettingsStore store;
};

SystemPort ftdi()
{
    return {
        {},    QStringLiteral("FT232R USB UART"), QStringLiteral("FTDI"), QStringLiteral("A50285BI"), 0x0403,
        0x6001};
}

TEST_F(SystemPortsTest, EachNumberShowsItsDeviceWithWhatTheAdapterSaysOrThatItIsAbsent)
{
    const SystemPort adapter =
        plugIn(QStringLiteral("ttyUSB0"), QStringLiteral("usb-FTDI_A50285BI-if00"), ftdi());
    SystemPort bare;
    bare.description = QStringLiteral("ttyS0");
    plugIn(QStringLiteral("ttyS0"), {}, bare);

    const std::vector<PortEntry> entries = inventory().entries();
    ASSERT_EQ(static_cast<size_t>(kLastPortNumber), entries.size());

    // Listed ports in the order of their paths: ttyS0 before ttyUSB0.
    const PortEntry &first = entries[0];
    EXPECT_EQ(1, first.number);
    EXPECT_EQ(dir.filePath(QStringLiteral("ttyS0")), first.device);
    EXPECT_TRUE(first.present);
    EXPECT_TRUE(first.stableName.isEmpty());
    ASSERT_TRUE(first.info);
    EXPECT_TRUE(usbIds(*first.info).isEmpty()); // not a USB device

    const PortEntry &second = entries[1];
    EXPECT_EQ(adapter.location, second.device);
    EXPECT_EQ(PortSource::SystemList, second.source);
    EXPECT_TRUE(second.present);
    EXPECT_EQ(byId(QStringLiteral("usb-FTDI_A50285BI-if00")), second.stableName);
    ASSERT_TRUE(second.info);
    EXPECT_EQ(QStringLiteral("FT232R USB UART"), second.info->description);
    EXPECT_EQ(QStringLiteral("FTDI"), second.info->manufacturer);
    EXPECT_EQ(QStringLiteral("A50285BI"), second.info->serialNumber);
    EXPECT_EQ(QStringLiteral("0403:6001"), usbIds(*second.info));

    // Past the listed ports a number falls back to a fixed name, here one that is not there.
    store.values[QStringLiteral("Ports/COM3")] = dir.filePath(QStringLiteral("ttyUSB9"));
    const PortEntry third = inventory().entry(3);
    EXPECT_EQ(PortSource::Settings, third.source);
    EXPECT_FALSE(third.present);
    EXPECT_FALSE(third.info);
    EXPECT_TRUE(third.stableName.isEmpty());
}

TEST_F(SystemPortsTest, ADeviceNamedByALinkIsFoundInTheListThroughIt)
{
    // The settings (or the environment) may name the adapter by its by-id link; the list names
    // the node. Both are the same device.
    plugIn(QStringLiteral("ttyACM0"), QStringLiteral("usb-Maker_Board_123-if00"),
           {{}, QStringLiteral("Board"), QStringLiteral("Maker"), QStringLiteral("123"), 0x2341, 0x0043});
    store.values[QStringLiteral("Ports/COM5")] = byId(QStringLiteral("usb-Maker_Board_123-if00"));
    const PortEntry entry = inventory().entry(5);
    EXPECT_TRUE(entry.present);
    ASSERT_TRUE(entry.info);
    EXPECT_EQ(QStringLiteral("Maker"), entry.info->manufacturer);
    EXPECT_EQ(QStringLiteral("2341:0043"), usbIds(*entry.info));
    EXPECT_EQ(byId(QStringLiteral("usb-Maker_Board_123-if00")), entry.stableName);
}

TEST_F(SystemPortsTest, AChosenAdapterKeepsItsNumberWhenAnotherIsPluggedInBeforeIt)
{
    plugIn(QStringLiteral("ttyUSB1"), QStringLiteral("usb-FTDI_A50285BI-if00"), ftdi());
    ASSERT_EQ(dir.filePath(QStringLiteral("ttyUSB1")), inventory().entry(1).device);

    EXPECT_TRUE(keepChosenDevice(store, inventory().entry(1)));
    EXPECT_EQ(byId(QStringLiteral("usb-FTDI_A50285BI-if00")),
              store.values.value(QStringLiteral("Ports/COM1")));
    // Chosen again: nothing new to keep.
    EXPECT_FALSE(keepChosenDevice(store, inventory().entry(1)));

    // Another adapter sorts first, and the first one comes back under another node: port 1 still
    // means the chosen adapter.
    plugIn(QStringLiteral("ttyACM0"), {}, {});
    unplug(QStringLiteral("ttyUSB1"));
    plugIn(QStringLiteral("ttyUSB2"), QStringLiteral("usb-FTDI_A50285BI-if00"), ftdi());
    const PortEntry entry = inventory().entry(1);
    EXPECT_TRUE(entry.present);
    EXPECT_EQ(QFileInfo(dir.filePath(QStringLiteral("ttyUSB2"))).canonicalFilePath(),
              QFileInfo(entry.device).canonicalFilePath());
    ASSERT_TRUE(entry.info);
    EXPECT_EQ(QStringLiteral("A50285BI"), entry.info->serialNumber);
}

TEST_F(SystemPortsTest, OnlyAPresentDeviceNotGivenByTheEnvironmentIsKept)
{
    // Without a stable name the device path itself is kept.
    plugIn(QStringLiteral("ttyS4"), {}, {});
    EXPECT_TRUE(keepChosenDevice(store, inventory().entry(1)));
    EXPECT_EQ(dir.filePath(QStringLiteral("ttyS4")), store.values.value(QStringLiteral("Ports/COM1")));

    store.writes.clear();
    qputenv("ZELKO6_COM2", QFile::encodeName(dir.filePath(QStringLiteral("ttyS4"))));
    EXPECT_FALSE(keepChosenDevice(store, inventory().entry(2)));
    store.values[QStringLiteral("Ports/COM3")] = dir.filePath(QStringLiteral("gone"));
    EXPECT_FALSE(keepChosenDevice(store, inventory().entry(3)));
    EXPECT_TRUE(store.writes.isEmpty()) << store.writes.join(u' ').toStdString();
}

TEST_F(SystemPortsTest, TheSearchTriesEachPresentDeviceOnceWithTheSavedLines)
{
    plugIn(QStringLiteral("ttyACM0"), QStringLiteral("usb-Board-if00"), {});
    plugIn(QStringLiteral("ttyUSB0"), {}, {});
    // Port 4 names the first adapter again, through its stable name; port 5 names nothing there.
    store.values[QStringLiteral("Ports/COM4")] = byId(QStringLiteral("usb-Board-if00"));
    store.values[QStringLiteral("Ports/COM5")] = dir.filePath(QStringLiteral("gone"));

    const std::vector<PortSettings> ports =
        portsToSearch(inventory().entries(), PortSettings{1, false, true, {}});
    ASSERT_EQ(2u, ports.size());
    EXPECT_EQ(1, ports[0].portNumber);
    EXPECT_EQ(dir.filePath(QStringLiteral("ttyACM0")), ports[0].device);
    EXPECT_EQ(2, ports[1].portNumber);
    EXPECT_EQ(dir.filePath(QStringLiteral("ttyUSB0")), ports[1].device);
    for (const PortSettings &port : ports) {
        EXPECT_FALSE(port.rtsEnable);
        EXPECT_TRUE(port.dtrEnable);
    }
}

} // namespace
} // namespace zelko6::test
