#pragma once
// A scripted programmer board behind the SerialLink interface, and a pump whose clock only moves
// when the code under test pauses or waits. The board reads the PC's bytes as a stream,
// answers as the firmware would, and can be told to misbehave.

#include "core/programmer/Pump.h"
#include "core/programmer/SerialLink.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace zelko6::test {

class FakeBoard;

// pause/idle are traced so that a test can see where the code paces the board and waits for it.
class FakePump final : public Pump {
  public:
    explicit FakePump(QStringList &trace) : trace_(trace) {}
    void pause(std::chrono::milliseconds d) override;
    void idleWait(std::chrono::milliseconds longest) override;
    double clock() override { return now; }

    double now = 1000.0;
    FakeBoard *board = nullptr;   // an idle wait ends when the board's next reply arrives
    std::function<void()> onIdle; // the window acting while a wait idles (from its own thread)

  private:
    QStringList &trace_;
};

class FakeBoard final : public SerialLink {
  public:
    FakeBoard(FakePump &pump, QStringList &trace, int memorySize);
    // A fresh board of the same memory size: default behaviour, nothing recorded.
    void reset();

    // Behaviour.
    QByteArray identification = "QT-LNK-WRT-V6.50\r\n"; // 18 characters, version 6.50
    QByteArray setupReply = "OK";                       // empty: no answer to "P"
    QByteArray surplus;                                 // sent after every read chunk
    int readChunksBeforeSilence = -1;                   // read chunks sent before it falls silent
    int acksBeforeSilence = -1;                         // write acknowledgements sent before it falls silent
    int wrongAckAt = -1;                                // this acknowledgement (0-based) comes as 'A'
    int chunksBeforeVanishing = -1;                     // chunks before the device disappears
    std::map<int, uint8_t> readsWrong;
    std::optional<OpenFailure> openFailure;
    double replyDelay = 0.002;

    // What happened.
    std::vector<uint8_t> memory;
    std::vector<QByteArray> sends; // one entry per send call
    std::vector<double> sendTimes;
    QByteArray wire() const;
    std::optional<PortSettings> openedWith;
    int acksReceived = 0;
    int dataChunksReceived = 0;
    int sendsWhileClosed = 0;
    InputMode mode = InputMode::Binary;

    std::optional<double> nextArrival() const;

    QString deviceFor(int portNumber) const override { return QStringLiteral("/dev/fake%1").arg(portNumber); }
    std::optional<OpenFailure> open(const PortSettings &settings) override;
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    void setInputMode(InputMode m) override { mode = m; }
    InputMode inputMode() const override { return mode; }
    void discardInput() override;
    int pendingCount() override;
    void send(const QByteArray &element) override;
    QByteArray takeAll() override;
    bool lost() const override { return lost_; }

  private:
    enum class State { Idle, Header, Records, ReadAck, WriteData };
    void receive(uint8_t byte);
    void startTransfer();
    void reply(const QByteArray &bytes);
    void sendReadChunk();
    void sendWriteAck();
    int address(int at) const;

    FakePump *pump_;
    QStringList *trace_;
    std::deque<std::pair<double, QByteArray>> replies_;
    State state_ = State::Idle;
    QByteArray collected_;
    bool writing_ = false;
    int bus_ = 2, chunk_ = 0, current_ = 0, last_ = 0, chunksSent_ = 0, acksSent_ = 0;
    bool open_ = false;
    bool lost_ = false;
};

} // namespace zelko6::test
