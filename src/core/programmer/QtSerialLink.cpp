#include "core/programmer/QtSerialLink.h"

#include "core/programmer/DeviceAccess.h"
#include "core/programmer/PortHandle.h"

#include <QtGlobal>
#include <limits>

namespace zelko6 {

using namespace std::chrono_literals;

namespace {
constexpr qint32 kBaudRate = 57600;
// Queued output must reach the driver before the port closes: a write's last chunk would be
// lost otherwise. At 57600 bit/s a 16-byte chunk takes 3 ms; a port that cannot take it in a
// second is not going to.
constexpr auto kDrainLimit = 1000ms;
} // namespace

QtSerialLink::QtSerialLink(PortResolver resolver) : resolver_(std::move(resolver))
{
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
}

QtSerialLink::~QtSerialLink()
{
    close();
}

void QtSerialLink::onError(QSerialPort::SerialPortError error)
{
    // Only a failing device counts; a refused modem-line request or a time-out of a wait does not.
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
        if (port_.isOpen())
            lost_ = true;
        break;
    default:
        break;
    }
}

std::optional<OpenFailure> QtSerialLink::open(const PortSettings &settings)
{
    close();
    lost_ = false;
    device_ = settings.device.isEmpty() ? resolver_.device(settings.portNumber) : settings.device;
    port_.setPortName(device_);
    port_.setBaudRate(kBaudRate);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        // The port says the same for a device held by another program and for one the user may
        // not open (Busy); openFailure tells the two apart.
        const OpenFailure::Kind kind =
            port_.error() == QSerialPort::DeviceNotFoundError ? OpenFailure::Kind::NotFound
            : port_.error() == QSerialPort::PermissionError   ? OpenFailure::Kind::Busy
                                                              : OpenFailure::Kind::Other;
        const OpenFailure failure = openFailure(kind, device_, port_.errorString());
        port_.clearError();
        return failure;
    }
    // Pseudo-terminals and some adapters have no modem lines; the board works without them, so
    // a refusal here is no failure of the port.
    port_.setRequestToSend(settings.rtsEnable);
    port_.setDataTerminalReady(settings.dtrEnable);
    port_.clearError();
    port_handle::requestLowLatency(port_.handle());
    return std::nullopt;
}

void QtSerialLink::drainOutput()
{
    if (lost_)
        return;
    if (port_.bytesToWrite() > 0)
        port_.waitForBytesWritten(static_cast<int>(kDrainLimit.count()));
    // The driver's own queue: the bytes are on the wire when this returns.
    port_handle::drainDriver(port_.handle());
}

void QtSerialLink::close()
{
    if (!port_.isOpen())
        return;
    drainOutput();
    port_.close();
    port_.clearError();
}

bool QtSerialLink::isOpen() const
{
    return port_.isOpen();
}

void QtSerialLink::discardInput()
{
    if (port_.isOpen())
        port_.clear(QSerialPort::Input);
}

int QtSerialLink::pendingCount()
{
    if (!port_.isOpen())
        return 0;
    return static_cast<int>(qMin<qint64>(port_.bytesAvailable(), std::numeric_limits<int>::max()));
}

void QtSerialLink::send(const QByteArray &element)
{
    if (!port_.isOpen() || lost_)
        return;
    // Bytes still queued from before go first; this element waits behind them and leaves with
    // them as the driver takes them.
    const bool queuedBefore = port_.bytesToWrite() > 0;
    qsizetype written = 0;
    bool driverFull = false;
    // Straight to the driver when nothing is queued before it: QSerialPort would arm and disarm
    // a write notifier for every element, and each costs the link's event loop an extra wake-up
    // in the middle of a chunk's turnaround. What the driver does not take goes the usual way.
    if (!queuedBefore)
        written = port_handle::writeDirect(port_.handle(), element.constData(), element.size(), driverFull);
    if (written == element.size())
        return;
    port_.write(element.constData() + written, element.size() - written);
    // QSerialPort would otherwise keep the bytes until the event loop runs next; the pauses after
    // a lead-in byte or record are meant to be counted from the moment it leaves. Into a full
    // driver, or behind queued bytes, the port's notifier sends it as soon as there is room
    // (pushing then would only meet a full driver, which QSerialPort calls a write error).
    if (!queuedBefore && !driverFull)
        port_.flush();
}

QByteArray QtSerialLink::takeAll()
{
    if (!port_.isOpen())
        return {};
    return port_.readAll();
}

} // namespace zelko6
