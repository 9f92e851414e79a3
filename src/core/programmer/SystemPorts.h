#pragma once
// The serial ports as the system knows them: for each port number the device it resolves to,
// whether that device is there, and, for an adapter the system lists, what the adapter says about
// itself (description, maker, serial number, USB ids) and its stable name, the link under
// /dev/serial/by-id that names the adapter rather than the order it was plugged in.

#include "core/programmer/PortResolver.h"
#include "core/programmer/SerialLink.h"

#include <QList>
#include <QString>
#include <optional>
#include <vector>

namespace zelko6 {

class SettingsStore;

// One port the system lists, with what its driver reports. Empty texts: not reported.
struct SystemPort {
    QString location; // the device node, /dev/ttyUSB0; on Windows \\.\COM3
    QString description;
    QString manufacturer;
    QString serialNumber;
    std::optional<quint16> vendorId;
    std::optional<quint16> productId;

    bool operator==(const SystemPort &) const = default;
};

// The system's list of serial ports; the real one asks QSerialPortInfo, tests give their own.
class SystemPortList {
  public:
    virtual ~SystemPortList() = default;
    virtual QList<SystemPort> ports() const = 0;
};

class QtSystemPortList final : public SystemPortList {
  public:
    QList<SystemPort> ports() const override;
};

// Where udev keeps one link per adapter, named after its maker, product and serial number.
inline const QString kSerialByIdFolder = QStringLiteral("/dev/serial/by-id");

// What one port number means right now.
struct PortEntry {
    int number = 0;
    QString device; // what the number resolves to
    PortSource source = PortSource::Fallback;
    bool present = false;
    QString stableName;             // a link in the by-id folder to the same device; empty: none
    std::optional<SystemPort> info; // when the system lists the device

    bool operator==(const PortEntry &) const = default;
};

// "0403:6001": the USB vendor and product ids as lsusb writes them; empty when not a USB device.
QString usbIds(const SystemPort &port);

class PortInventory {
  public:
    // `store`: the settings the numbers are looked up in (may be null); `byIdFolder`: where the
    // stable names are looked for.
    PortInventory(const SettingsStore *store, const SystemPortList &list,
                  QString byIdFolder = kSerialByIdFolder);

    // Ports 1 to 20, from one listing of the system's ports.
    std::vector<PortEntry> entries() const;
    PortEntry entry(int portNumber) const;

  private:
    PortEntry describe(int portNumber, const QList<SystemPort> &listed) const;
    // The platform's part (SystemPorts_linux.cpp, SystemPorts_windows.cpp): whether the device
    // `entry` resolved to is there, which of the listed ports it is, and its stable name.
    void locate(PortEntry &entry, const QList<SystemPort> &listed) const;

    const SettingsStore *store_;
    const SystemPortList &list_;
    QString byIdFolder_;
};

// A user's choice of a present device for a number: keep it by its stable name (its device path
// when it has none), so that the number goes on meaning that adapter when another one is plugged
// in or this one comes back under another node. A number given by the environment is left alone
// (the environment wins anyway), and so is an absent device. True when something was saved.
bool keepChosenDevice(SettingsStore &store, const PortEntry &entry);

} // namespace zelko6
