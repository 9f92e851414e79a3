#include "FakeBoard.h"

namespace zelko6::test {

void FakePump::pause(std::chrono::milliseconds d)
{
    trace_ << QStringLiteral("pause %1").arg(d.count());
    now += static_cast<double>(d.count()) / 1000.0;
}

void FakePump::idleWait(std::chrono::milliseconds longest)
{
    trace_ << QStringLiteral("idle");
    if (onIdle)
        onIdle();
    double until = now + static_cast<double>(longest.count()) / 1000.0;
    if (board)
        if (const auto arrival = board->nextArrival(); arrival && *arrival < until)
            until = *arrival;
    now = std::max(until, now + 0.0001);
}

FakeBoard::FakeBoard(FakePump &pump, QStringList &trace, int memorySize)
    : memory(static_cast<size_t>(memorySize), 0xFF), pump_(&pump), trace_(&trace)
{
    pump_->board = this;
}

void FakeBoard::reset()
{
    *this = FakeBoard(*pump_, *trace_, static_cast<int>(memory.size()));
    pump_->board = this;
}

QByteArray FakeBoard::wire() const
{
    QByteArray all;
    for (const QByteArray &s : sends)
        all += s;
    return all;
}

std::optional<double> FakeBoard::nextArrival() const
{
    for (const auto &[at, bytes] : replies_)
        if (at > pump_->now)
            return at;
    return std::nullopt;
}

std::optional<OpenFailure> FakeBoard::open(const PortSettings &settings)
{
    openedWith = settings;
    if (openFailure)
        return openFailure;
    // Opening the port resets the board (the modem lines pulse), whatever it was waiting for.
    open_ = true;
    state_ = State::Idle;
    collected_.clear();
    replies_.clear();
    return std::nullopt;
}

void FakeBoard::discardInput()
{
    while (!replies_.empty() && replies_.front().first <= pump_->now)
        replies_.pop_front();
}

int FakeBoard::pendingCount()
{
    int count = 0;
    for (const auto &[at, bytes] : replies_)
        if (at <= pump_->now)
            count += static_cast<int>(bytes.size());
    return count;
}

QByteArray FakeBoard::takeAll()
{
    QByteArray all;
    while (!replies_.empty() && replies_.front().first <= pump_->now) {
        all += replies_.front().second;
        replies_.pop_front();
    }
    return all;
}

void FakeBoard::send(const QByteArray &element)
{
    *trace_ << QStringLiteral("send %1").arg(QString::fromLatin1(element.toHex(' ')));
    if (!open_)
        ++sendsWhileClosed;
    sends.push_back(element);
    sendTimes.push_back(pump_->now);
    for (char c : element)
        receive(static_cast<uint8_t>(c));
}

void FakeBoard::reply(const QByteArray &bytes)
{
    if (!bytes.isEmpty() && !lost_)
        replies_.emplace_back(pump_->now + replyDelay, bytes);
}

int FakeBoard::address(int at) const
{
    // Two-wire records carry address bits 16..23 in byte 1; three-wire ones an extra parameter.
    const int high = bus_ == 2 ? (static_cast<uint8_t>(collected_[at + 1]) << 16) : 0;
    return high | (static_cast<uint8_t>(collected_[at + 2]) << 8) | static_cast<uint8_t>(collected_[at + 3]);
}

void FakeBoard::receive(uint8_t byte)
{
    switch (state_) {
    case State::Idle:
        if (byte == '?')
            reply(identification);
        else if (byte == 'E')
            state_ = State::Header, collected_.clear();
        return;
    case State::Header:
        collected_ += static_cast<char>(byte);
        if (collected_.size() < 3)
            return;
        bus_ = collected_[1] - '0';
        writing_ = collected_[2] == 'W' || collected_[2] == 'w';
        if (collected_[2] == 'P')
            reply(setupReply), state_ = State::Idle;
        else
            state_ = State::Records, collected_.clear();
        return;
    case State::Records:
        collected_ += static_cast<char>(byte);
        if (collected_.size() == 8)
            startTransfer();
        return;
    case State::ReadAck:
        if (byte != '@')
            return;
        ++acksReceived;
        current_ += chunk_;
        if (current_ <= last_)
            sendReadChunk();
        else
            state_ = State::Idle;
        return;
    case State::WriteData:
        collected_ += static_cast<char>(byte);
        if (collected_.size() < chunk_)
            return;
        for (int i = 0; i < chunk_; ++i)
            memory[static_cast<size_t>(current_ + i) % memory.size()] = static_cast<uint8_t>(collected_[i]);
        ++dataChunksReceived;
        collected_.clear();
        current_ += chunk_;
        if (current_ <= last_)
            sendWriteAck();
        else
            state_ = State::Idle;
        return;
    }
}

void FakeBoard::startTransfer()
{
    chunk_ = static_cast<uint8_t>(collected_[0]);
    current_ = address(0);
    last_ = address(4);
    collected_.clear();
    state_ = writing_ ? State::WriteData : State::ReadAck;
    if (writing_)
        sendWriteAck();
    else
        sendReadChunk();
}

void FakeBoard::sendReadChunk()
{
    if (chunksSent_ == chunksBeforeVanishing)
        lost_ = true;
    if (chunksSent_ == readChunksBeforeSilence || lost_)
        return;
    ++chunksSent_;
    QByteArray data;
    for (int i = 0; i < chunk_; ++i) {
        const int at = current_ + i;
        const auto wrong = readsWrong.find(at);
        data += static_cast<char>(
            wrong != readsWrong.end() ? wrong->second : memory[static_cast<size_t>(at) % memory.size()]);
    }
    reply(data + surplus);
}

void FakeBoard::sendWriteAck()
{
    if (acksSent_ == chunksBeforeVanishing)
        lost_ = true;
    if (acksSent_ == acksBeforeSilence || lost_)
        return;
    reply(QByteArray(1, acksSent_ == wrongAckAt ? 'A' : '@'));
    ++acksSent_;
}

} // namespace zelko6::test
