// The channel between starts on Linux: a local socket beside the lock, one line each way.

#include "gui/SingleInstance.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace zelko6 {

namespace {

// The one request and its answer, a line each.
const QByteArray kShowRequest = QByteArrayLiteral("show\n");
const QByteArray kShownAnswer = QByteArrayLiteral("shown\n");
// No line is longer; a caller that sends more, or nothing, is let go.
constexpr qint64 kLineLimit = 64;
constexpr auto kCallerLimit = std::chrono::seconds(2);

int millisecondsLeft(const QDeadlineTimer &deadline)
{
    return static_cast<int>(deadline.remainingTime());
}

} // namespace

struct SingleInstance::Channel {
    QLocalServer server;
};

void SingleInstance::ChannelEnd::operator()(Channel *channel) const
{
    delete channel;
}

bool SingleInstance::listen()
{
    channel_.reset(new Channel);
    QLocalServer &server = channel_->server;
    server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server, &QLocalServer::newConnection, this, [this, &server] {
        while (QLocalSocket *caller = server.nextPendingConnection()) {
            caller->setReadBufferSize(kLineLimit);
            connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
            QTimer::singleShot(kCallerLimit, caller, &QObject::deleteLater);
            connect(caller, &QLocalSocket::readyRead, this, [this, caller] {
                if (!caller->canReadLine()) {
                    if (caller->bytesAvailable() >= kLineLimit)
                        caller->deleteLater();
                    return;
                }
                if (caller->readLine(kLineLimit) == kShowRequest) {
                    emit showRequested();
                    caller->write(kShownAnswer);
                }
                caller->disconnectFromServer();
            });
        }
    });
    // A socket left behind by an instance that did not end cleanly: holding the lock, it is ours.
    QLocalServer::removeServer(socketPath_);
    return server.listen(socketPath_);
}

bool SingleInstance::askRunningToShow(std::chrono::milliseconds limit) const
{
    const QDeadlineTimer deadline(limit);
    QLocalSocket running;
    running.connectToServer(socketPath_);
    if (!running.waitForConnected(millisecondsLeft(deadline)))
        return false;
    running.write(kShowRequest);
    if (!running.waitForBytesWritten(millisecondsLeft(deadline)))
        return false;
    while (!running.canReadLine())
        if (running.bytesAvailable() >= kLineLimit || !running.waitForReadyRead(millisecondsLeft(deadline)))
            return false;
    return running.readLine(kLineLimit) == kShownAnswer;
}

} // namespace zelko6
