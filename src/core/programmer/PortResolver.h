#pragma once
// Which device a port number 1..20 means on this machine, looked up in turn: the environment
// variable ZELKO6_COMn (a device path; the simulator and the tests use it), the setting
// "Ports"/"COMn", then the platform's numbering (PortResolver_linux.cpp, PortResolver_windows.cpp).
// On Windows that is COMn itself. On Linux there are no numbered ports: it is the n-th serial port
// the system lists (sorted by device path, so the numbering stays put between runs), and finally
// /dev/ttyS{n-1}.

#include <QString>
#include <QStringList>
#include <functional>

namespace zelko6 {

class SettingsStore;

// Which step of the lookup gave a number its device.
enum class PortSource { Environment, Settings, SystemList, Fallback };

struct ResolvedPort {
    QString device;
    PortSource source = PortSource::Fallback;
};

class PortResolver {
  public:
    // The system locations of the serial ports the platform lists, in any order.
    using PortLister = std::function<QStringList()>;

    // Without a store the settings step is skipped; without a lister the system is asked.
    explicit PortResolver(const SettingsStore *store = nullptr, PortLister lister = {});

    QString device(int portNumber) const { return resolve(portNumber).device; }
    ResolvedPort resolve(int portNumber) const;
    // The same lookup with the system's list already in hand (one listing for all twenty).
    ResolvedPort resolve(int portNumber, QStringList listed) const;

    // "COM" + number: the port's name in every message.
    static QString portName(int portNumber);
    static QString environmentName(int portNumber); // ZELKO6_COMn
    // Section and key of the device saved for a number: "Ports", "COMn".
    static QString settingsSection();
    static QStringList systemPorts();

    // Whether the platform's numbering needs the system's list: where it does not (Windows' COMn),
    // the number itself names the port.
    static bool numberingNeedsSystemList();

  private:
    // The platform's numbering, once neither the environment nor the settings name a device.
    static ResolvedPort numberedDevice(int portNumber, QStringList listed);

    const SettingsStore *store_;
    PortLister lister_;
};

} // namespace zelko6
