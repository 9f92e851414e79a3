#pragma once
// The serial link on a real port: QSerialPort at 57600 bit/s, 8 data bits, no parity, one stop
// bit, no flow control. Reception is collected by the port's socket notifier whenever the link
// waits for the board (its idle waits run the thread's event loop), so no thread and no timer is
// involved.

#include "core/programmer/PortResolver.h"
#include "core/programmer/SerialLink.h"

#include <QSerialPort>
#include <chrono>

namespace zelko6 {

class QtSerialLink final : public SerialLink {
  public:
    explicit QtSerialLink(PortResolver resolver = PortResolver());
    ~QtSerialLink() override;

    QString deviceFor(int portNumber) const override { return resolver_.device(portNumber); }
    std::optional<OpenFailure> open(const PortSettings &settings) override;
    void close() override;
    bool isOpen() const override;

    void setInputMode(InputMode mode) override { mode_ = mode; }
    InputMode inputMode() const override { return mode_; }

    void discardInput() override;
    int pendingCount() override;
    void send(const QByteArray &element) override;
    QByteArray takeAll() override;
    bool lost() const override { return lost_; }

    // The device the last open used (or tried to use).
    QString device() const { return device_; }

  private:
    void onError(QSerialPort::SerialPortError error);
    void drainOutput();

    PortResolver resolver_;
    QSerialPort port_;
    QString device_;
    InputMode mode_ = InputMode::Binary;
    bool lost_ = false;
};

} // namespace zelko6
