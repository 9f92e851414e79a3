#pragma once
// The serial port as the programmer link uses it: exactly the transport operations the command
// language needs, so that a scripted fake board can stand in for the real port in tests.

#include "core/programmer/PermissionAdvice.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace zelko6 {

inline constexpr int kFirstPortNumber = 1;
inline constexpr int kLastPortNumber = 20;

// What the connection check chooses when it opens the port; the line settings themselves
// (57600 bit/s, 8N1, no flow control) are fixed.
struct PortSettings {
    int portNumber = 1;     // 1..20, "COM1".."COM20"
    bool rtsEnable = true;  // RTS raised while the port is open
    bool dtrEnable = false; // DTR raised while the port is open
    QString device;         // the device to open; empty: the one the port number resolves to
};

// Received bytes are handed over either way; the mode records whether the caller takes them
// as single-byte characters (identification) or as raw bytes (transfers).
enum class InputMode { Text, Binary };

struct OpenFailure {
    enum class Kind {
        NotFound,
        Busy,       // in use or not permitted, and the system does not say which
        InUse,      // another program holds the port
        Permission, // the user may not open the device: `permission` says what would help
        Other,
    };
    Kind kind = Kind::Other;
    QString device;                   // the device the port number resolved to
    QString detail;                   // the platform's own words, for the curious
    PermissionAdvice permission = {}; // Permission: what would let the user open it
};

class SerialLink {
  public:
    virtual ~SerialLink() = default;

    // The device a port number resolves to on this machine (what the port window shows).
    virtual QString deviceFor(int portNumber) const = 0;
    // Opens the settings' device (or the one their port number resolves to). No value means it
    // is open.
    virtual std::optional<OpenFailure> open(const PortSettings &settings) = 0;
    // Any queued output is on the wire before the port closes. Harmless when closed.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual void setInputMode(InputMode mode) = 0;
    virtual InputMode inputMode() const = 0;

    // Drops every received byte not yet taken.
    virtual void discardInput() = 0;
    // Received bytes waiting to be taken (as far as the last wait has collected them).
    virtual int pendingCount() = 0;
    // Hands one wire element to the port in one call, unchanged, and starts it on its way.
    virtual void send(const QByteArray &element) = 0;
    // Every waiting byte, removed from the input.
    virtual QByteArray takeAll() = 0;

    // The device went away or failed under an open port (a USB adapter pulled out). Cleared by
    // the next open. Waits end at once when it is set.
    virtual bool lost() const = 0;
};

} // namespace zelko6
