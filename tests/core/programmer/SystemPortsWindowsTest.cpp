// The COM ports as Windows lists them: a port is there when the system lists it, whichever way
// its name is written, and the number is the port's own name, so nothing is kept for it.

#include "core/operations/PortSearch.h"
#include "core/programmer/SystemPorts.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace zelko6::test {
namespace {

class ListedPorts final : public SystemPortList {
  public:
    QList<SystemPort> ports() const override
    {
        return {{QStringLiteral("\\\\.\\COM3"), QStringLiteral("USB Serial Port"), QStringLiteral("FTDI"),
                 QStringLiteral("A50285BI"), 0x0403, 0x6001},
                {QStringLiteral("\\\\.\\COM12"), QStringLiteral("Communications Port"), {}, {}, {}, {}}};
    }
};

struct Expected {
    int number;
    const char *environment; // ZELKO6_COMn, or nothing
    const char *saved;       // the setting "Ports"/"COMn", or nothing
    const char *device;
    PortSource source;
    const char *listedAs; // the listed port it turns out to be; nothing: absent
};

TEST(SystemPortsWindows, EachNumberIsPresentExactlyWhenTheSystemListsItsPort)
{
    const Expected cases[] = {
        {1, nullptr, nullptr, "COM1", PortSource::SystemList, nullptr},
        {3, nullptr, nullptr, "COM3", PortSource::SystemList, "\\\\.\\COM3"},
        {12, nullptr, nullptr, "COM12", PortSource::SystemList, "\\\\.\\COM12"},
        {13, nullptr, nullptr, "COM13", PortSource::SystemList, nullptr},
        {5, "com12", nullptr, "com12", PortSource::Environment, "\\\\.\\COM12"},
        {6, "//./com3", nullptr, "//./com3", PortSource::Environment, "\\\\.\\COM3"},
        {7, nullptr, "\\\\.\\COM3", "\\\\.\\COM3", PortSource::Settings, "\\\\.\\COM3"},
        {8, nullptr, "COM1", "COM1", PortSource::Settings, nullptr},
        // A name that only begins like a listed one is another port.
        {9, "COM120", nullptr, "COM120", PortSource::Environment, nullptr},
    };
    const ListedPorts list;
    for (const Expected &c : cases) {
        SCOPED_TRACE(c.number);
        MemorySettingsStore store;
        if (c.saved)
            store.values[QStringLiteral("Ports/COM%1").arg(c.number)] = QString::fromLatin1(c.saved);
        const QByteArray variable = PortResolver::environmentName(c.number).toLatin1();
        const ScopedEnvironment environment(variable.constData(),
                                            QByteArray(c.environment ? c.environment : ""));
        const PortEntry entry = PortInventory(&store, list).entry(c.number);
        EXPECT_EQ(entry.device, QString::fromLatin1(c.device));
        EXPECT_EQ(entry.source, c.source);
        EXPECT_EQ(entry.present, c.listedAs != nullptr);
        EXPECT_EQ(entry.info ? entry.info->location : QString(), QString::fromLatin1(c.listedAs));
        EXPECT_TRUE(entry.stableName.isEmpty());
    }
}

TEST(SystemPortsWindows, AChosenPortIsNotSavedUnderTheNumberThatAlreadyNamesIt)
{
    MemorySettingsStore store;
    const ListedPorts list;
    const PortInventory inventory(&store, list);
    EXPECT_FALSE(keepChosenDevice(store, inventory.entry(3)));
    EXPECT_FALSE(keepChosenDevice(store, inventory.entry(12)));
    EXPECT_TRUE(store.writes.isEmpty());
    // A number the settings point elsewhere keeps that choice, as on any system.
    store.values[QStringLiteral("Ports/COM4")] = QStringLiteral("COM3");
    EXPECT_FALSE(keepChosenDevice(store, inventory.entry(4)));
    EXPECT_EQ(store.values.value(QStringLiteral("Ports/COM4")), QStringLiteral("COM3"));
}

TEST(SystemPortsWindows, TheSearchTriesEveryListedPortOnce)
{
    // COMn names no file, so no two ports may be told apart by a file's path; port 4 names COM3
    // again, and COM3 is tried once.
    MemorySettingsStore store;
    store.values[QStringLiteral("Ports/COM4")] = QStringLiteral("COM3");
    const ListedPorts list;
    std::vector<int> searched;
    for (const PortSettings &port : portsToSearch(PortInventory(&store, list).entries(), PortSettings{}))
        searched.push_back(port.portNumber);
    EXPECT_EQ(searched, (std::vector<int>{3, 12}));
}

} // namespace
} // namespace zelko6::test
